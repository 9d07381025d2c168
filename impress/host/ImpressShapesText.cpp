#include "impress/host/ImpressShapesText.hpp"

#include "host/HostError.hpp"
#include "impress/host/ImpressFont.hpp"

namespace velmora::impress {

ImpressShapesText::ImpressShapesText(std::shared_ptr<LiveDocument> document,
                                     std::vector<std::shared_ptr<ImpressTextRange>> texts)
    : document_(std::move(document)), texts_(std::move(texts))
{
    if (texts_.empty()) {
        throw host::HostError("none of the selected shapes holds text");
    }
}

ImpressTextRange& ImpressShapesText::Single() const
{
    if (texts_.size() != 1) {
        throw host::HostError("the selection holds " + std::to_string(texts_.size()) + " texts, not one");
    }
    return *texts_.front();
}

std::string ImpressShapesText::Text() const
{
    std::string text;
    for (const auto& part : texts_) {
        text += (text.empty() ? "" : "\r") + part->Text();
    }
    return text;
}

void ImpressShapesText::SetText(const std::string& value)
{
    Single().SetText(value);
}

host::Ref<host::Font> ImpressShapesText::Font()
{
    std::vector<css::uno::Reference<css::beans::XPropertySet>> targets;
    for (const auto& part : texts_) {
        const auto own = part->WriteTargets();
        targets.insert(targets.end(), own.begin(), own.end());
    }
    return std::make_shared<ImpressFont>(document_, targets.front(), targets);
}

host::Ref<host::ParagraphFormat> ImpressShapesText::ParagraphFormat()
{
    return Single().ParagraphFormat();
}

int ImpressShapesText::RunCount() const
{
    int count = 0;
    for (const auto& part : texts_) {
        count += part->RunCount();
    }
    return count;
}

host::Ref<host::TextRange> ImpressShapesText::Runs(int index)
{
    for (const auto& part : texts_) {
        if (index >= 1 && index <= part->RunCount()) {
            return part->Runs(index);
        }
        index -= part->RunCount();
    }
    throw host::HostError("the text has no such run");
}

}  // namespace velmora::impress
