#include "view/CConvertGapsDlg.h"

#include "ui_CConvertGapsDlg.h"

CConvertGapsDlg::CConvertGapsDlg(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CConvertGapsDlg>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CConvertGapsDlg::~CConvertGapsDlg() = default;

GapDirection CConvertGapsDlg::Direction() const
{
    return m_ui->toSilenceRadio->isChecked() ? GapDirection::ToSilence : GapDirection::ToPregap;
}
