#pragma once

#include <memory>
#include <vector>

#include "host/TextRange.hpp"
#include "impress/host/ImpressTextRange.hpp"

namespace velmora::impress {

// The text of a selection of shapes: each of their whole texts (a group's
// members' and a table's cells' among them), read one after the other as
// paragraphs and written all at once.
class ImpressShapesText : public host::TextRange {
public:
    // Raises the host error when `texts` is empty.
    ImpressShapesText(std::shared_ptr<LiveDocument> document, std::vector<std::shared_ptr<ImpressTextRange>> texts);

    std::string Text() const override;
    // Only the text of a single shape can be replaced.
    void SetText(const std::string& value) override;
    host::Ref<host::Font> Font() override;
    host::Ref<host::ParagraphFormat> ParagraphFormat() override;
    int RunCount() const override;
    host::Ref<host::TextRange> Runs(int index) override;

private:
    ImpressTextRange& Single() const;

    std::shared_ptr<LiveDocument> document_;
    std::vector<std::shared_ptr<ImpressTextRange>> texts_;
};

}  // namespace velmora::impress
