#pragma once

#include <memory>

#include <QDialog>

#include "discimage/CGapConversion.h"

namespace Ui {
class CConvertGapsDlg;
}

// Asks which way the gaps of a disc image's audio tracks go.
class CConvertGapsDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CConvertGapsDlg)

public:
    explicit CConvertGapsDlg(QWidget* parent);
    ~CConvertGapsDlg() override;

    GapDirection Direction() const;

private:
    std::unique_ptr<Ui::CConvertGapsDlg> m_ui;
};
