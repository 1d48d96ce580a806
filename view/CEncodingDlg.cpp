#include "view/CEncodingDlg.h"

#include "ui_CEncodingDlg.h"

#include "view/CSheetCodec.h"

CEncodingDlg::CEncodingDlg(const std::string& charset, std::string sample, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CEncodingDlg>())
    , m_sample(std::move(sample))
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    int current = -1;
    for (const auto& [name, label] : CSheetCodec::Choices()) {
        auto* item = new QListWidgetItem(label, m_ui->encodingList);
        item->setData(Qt::UserRole, QString::fromStdString(name));
        if (name == charset)
            current = m_ui->encodingList->count() - 1;
    }
    if (current < 0) {
        // A detected set the list does not offer.
        auto* item = new QListWidgetItem(QString::fromStdString(charset));
        item->setData(Qt::UserRole, QString::fromStdString(charset));
        m_ui->encodingList->insertItem(0, item);
        current = 0;
    }
    connect(m_ui->encodingList, &QListWidget::currentRowChanged, this, &CEncodingDlg::ShowSample);
    connect(m_ui->encodingList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    m_ui->encodingList->setCurrentRow(current);
    ShowSample();
}

CEncodingDlg::~CEncodingDlg() = default;

std::string CEncodingDlg::Charset() const
{
    const QListWidgetItem* item = m_ui->encodingList->currentItem();
    return item ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

void CEncodingDlg::ShowSample()
{
    m_ui->previewValue->setText(CSheetCodec(Charset()).Decode(m_sample));
}
