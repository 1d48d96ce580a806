#pragma once

#include <QTextEdit>

// The text control of the listing: a read-only QTextEdit whose text sits
// inside a fixed margin. The margin does not scroll with the text, and it
// is painted in the text's background colour.
class CListingEdit final : public QTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CListingEdit)

public:
    CListingEdit(int margin, QWidget* parent);
    ~CListingEdit() override;

    int Margin() const { return m_margin; }

private:
    int m_margin;
};
