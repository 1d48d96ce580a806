#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CWelcomeDlg;
}

// Shown once after a "/setup" start: says hello and offers the read-me.
class CWelcomeDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWelcomeDlg)

public:
    // Pixels a title bar takes beside its caption: icon, buttons, padding.
    static constexpr int kTitleBarExtras = 140;

    explicit CWelcomeDlg(QWidget* parent);
    ~CWelcomeDlg() override;

    // Whether the read-me should open: the box's state when closed with OK;
    // closing with Escape or the close box keeps the initial "yes".
    bool ViewReadme() const { return m_viewReadme; }

    void accept() override;

    QWidget* ReadmeBox() const;

private:
    std::unique_ptr<Ui::CWelcomeDlg> m_ui;
    bool m_viewReadme = true;
};
