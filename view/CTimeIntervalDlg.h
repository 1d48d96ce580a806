#pragma once

#include <memory>

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace Ui {
class CTimeIntervalDlg;
}

// Asks for the Start and Stop times of an interval of a wave file, each
// typed as "mm:ss:ff" and normalised when its box loses the focus. It makes
// no other check; the caller fills the times before and reads them after.
class CTimeIntervalDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTimeIntervalDlg)

public:
    explicit CTimeIntervalDlg(QWidget* parent);
    ~CTimeIntervalDlg() override;

    void SetStart(const QString& text);
    void SetStop(const QString& text);
    QString Start() const;
    QString Stop() const;
    // The OK button's caption; an empty text keeps "OK".
    void SetOkCaption(const QString& caption);

    QLineEdit* StartEdit() const;
    QLineEdit* StopEdit() const;
    QPushButton* OkButton() const;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Normalise(QLineEdit* box, QString& lastText); // false when refused

    std::unique_ptr<Ui::CTimeIntervalDlg> m_ui;
    QString m_start; // what each box held when it last lost the focus
    QString m_stop;
};
