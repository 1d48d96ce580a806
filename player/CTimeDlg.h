#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QLineEdit;

namespace Ui {
class CTimeDlg;
}

// "Specify time": one time in mm:ss:ff, for Goto position and Truncate. A
// time typed in any lenient form reads back as mm:ss:ff when the field
// loses the focus.
class CTimeDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTimeDlg)

public:
    explicit CTimeDlg(QWidget* parent);
    ~CTimeDlg() override;

    void SetTime(const QString& time);
    QString Time() const;
    // Replaces the dialog's title when not empty.
    void SetTitle(const QString& title);

    QLineEdit* TimeEdit() const;

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Normalize(); // false when the typed time is refused

    std::unique_ptr<Ui::CTimeDlg> m_ui;
    QString m_shown; // the text as last written back
};
