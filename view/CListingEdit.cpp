#include "view/CListingEdit.h"

CListingEdit::CListingEdit(int margin, QWidget* parent)
    : QTextEdit(parent)
    , m_margin(margin)
{
    setViewportMargins(margin, margin, margin, margin);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

CListingEdit::~CListingEdit() = default;
