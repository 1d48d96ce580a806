#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QLineEdit;
class QPushButton;

namespace Ui {
class CIntervalDlg;
}

// "Specify time interval": a start and a stop time in mm:ss:ff, for Write
// silence. Each time reads back as mm:ss:ff when its field loses the focus;
// the order of the two is the caller's to check.
class CIntervalDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CIntervalDlg)

public:
    explicit CIntervalDlg(QWidget* parent);
    ~CIntervalDlg() override;

    void SetStart(const QString& time);
    void SetStop(const QString& time);
    QString Start() const;
    QString Stop() const;
    // The OK button's caption, when not empty.
    void SetOkCaption(const QString& caption);

    QLineEdit* StartEdit() const;
    QLineEdit* StopEdit() const;
    QPushButton* OkButton() const;

private:
    void Normalize(QLineEdit* edit, QString& shown);

    std::unique_ptr<Ui::CIntervalDlg> m_ui;
    QString m_startShown;
    QString m_stopShown;
};
