#include "document/CCueMessageBox.h"

#include "model/CCueReader.h"
#include "model/TextUtil.h"
#include "platform/CPrompts.h"

#include <algorithm>

namespace {

void ShowOne(const CCueMessage& message)
{
    const PromptIcon icon = message.severity == CueSeverity::Unreadable ? PromptIcon::Error : PromptIcon::None;
    ShowMessageBox(message.BoxText(), message.Caption(), PromptButtons::Ok, icon, true);
}

} // namespace

void CCueMessageBox::Show(CueMessages messages)
{
    if (messages.empty())
        return;
    std::stable_sort(messages.begin(), messages.end(),
                     [](const CCueMessage& a, const CCueMessage& b) { return a.line < b.line; });
    if (messages.size() == 1) {
        ShowOne(messages.front());
        return;
    }
    MessageBoxRequest request;
    request.caption = "Warning";
    request.foreground = true;
    for (const CCueMessage& message : messages) {
        const std::string caption = message.Caption();
        if (caption != "Warning")
            request.caption = caption;
        request.details.push_back({caption, message.BoxText()});
    }
    const std::size_t shown = std::min(messages.size(), kShown);
    for (std::size_t i = 0; i < shown; ++i) {
        std::string text = request.details[i].text;
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        request.text += text;
        request.text += '\n';
    }
    if (messages.size() > shown)
        request.text += ts::Format("...and %zu more (Show Details lists them all)\n", messages.size() - shown);
    CPrompts::Current().ShowMessage(request);
}

void CCueMessageBox::Show(const CueReadResult& result, CueMessages before)
{
    before.insert(before.end(), result.messages.begin(), result.messages.end());
    Show(std::move(before));
    if (result.stop)
        ShowOne(*result.stop);
}
