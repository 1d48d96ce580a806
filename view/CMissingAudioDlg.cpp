#include "view/CMissingAudioDlg.h"

#include "ui_CMissingAudioDlg.h"
#include "view/CMessageText.h"

#include <QHeaderView>
#include <QPushButton>

CMissingAudioDlg::CMissingAudioDlg(std::vector<CAudioRelinker::Fix> fixes, Browser browse, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CMissingAudioDlg>())
    , m_fixes(std::move(fixes))
    , m_browse(std::move(browse))
{
    m_ui->setupUi(this);
    m_ui->table->verticalHeader()->hide();
    m_ui->table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_ui->table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_ui->table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_ui->table->setRowCount(static_cast<int>(m_fixes.size()));
    for (int row = 0; row < m_ui->table->rowCount(); ++row) {
        auto* button = new QPushButton(tr("&Browse..."), m_ui->table);
        button->setObjectName(QStringLiteral("browse%1").arg(row));
        connect(button, &QPushButton::clicked, this, [this, row] { Browse(row); });
        m_ui->table->setCellWidget(row, 2, button);
    }
    Fill();
}

CMissingAudioDlg::~CMissingAudioDlg() = default;

void CMissingAudioDlg::Fill()
{
    for (int row = 0; row < m_ui->table->rowCount(); ++row) {
        const CAudioRelinker::Fix& fix = m_fixes[static_cast<std::size_t>(row)];
        const QString old = fix.oldName.empty() ? tr("(not named yet)") : QString::fromStdString(fix.oldName);
        const QString found = fix.newName.empty() ? tr("(nothing found)") : QString::fromStdString(fix.newName);
        auto* oldItem = new QTableWidgetItem(old);
        auto* foundItem = new QTableWidgetItem(found);
        foundItem->setToolTip(ts::TranslateMessage(QString::fromStdString(fix.how)));
        m_ui->table->setItem(row, 0, oldItem);
        m_ui->table->setItem(row, 1, foundItem);
    }
}

void CMissingAudioDlg::Browse(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_fixes.size() || !m_browse)
        return;
    CAudioRelinker::Fix& fix = m_fixes[static_cast<std::size_t>(row)];
    const std::string name = m_browse(fix.oldName);
    if (name.empty())
        return;
    fix.newName = name;
    fix.how = "chosen";
    Fill();
}
