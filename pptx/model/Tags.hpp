#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <pugixml.hpp>

#include "host/Slide.hpp"
#include "pptx/parts/TagsPart.hpp"

namespace velmora::pptx::model {

class Presentation;

// Tags of a slide or a shape: the tags part its <p:custDataLst> refers to,
// made on the first Add. A slide's tags are also kept as custom document
// properties, the form Impress reads and writes (it drops tag parts): a tag
// missing from the part is read from there, and tags added or deleted here,
// the split's bookkeeping apart, are added or deleted there too.
class Tags : public host::Tags {
public:
    struct Holder {
        std::shared_ptr<parts::XmlPart> part;
        pugi::xml_node node;  // the <p:cSld> or <p:nvPr> holding <p:custDataLst>
    };

    // `slideIndex`: the slide's number, for a slide's tags; empty for a shape's.
    Tags(std::shared_ptr<Presentation> presentation, std::function<Holder()> locate, std::function<void()> touch,
         std::function<int()> slideIndex = {});

    int Count() const override;
    std::string Name(int index) const override;
    std::string Value(int index) const override;
    std::string Item(const std::string& name) const override;
    void Add(const std::string& name, const std::string& value) override;
    void Delete(const std::string& name) override;

private:
    std::shared_ptr<parts::TagsPart> Part(bool create) const;
    std::shared_ptr<parts::TagsPart> Existing(int index) const;
    std::optional<std::string> Mirrored(const std::string& name) const;
    void Mirror(const std::string& name, const std::optional<std::string>& value);

    std::shared_ptr<Presentation> presentation_;
    std::function<Holder()> locate_;
    std::function<void()> touch_;
    std::function<int()> slideIndex_;
};

}  // namespace velmora::pptx::model
