#pragma once

#include <functional>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "host/Slide.hpp"
#include "pptx/parts/TagsPart.hpp"

namespace velmora::pptx::model {

class Presentation;

// Tags of a slide or a shape: the tags part its <p:custDataLst> refers to,
// made on the first Add.
class Tags : public host::Tags {
public:
    struct Holder {
        std::shared_ptr<parts::XmlPart> part;
        pugi::xml_node node;  // the <p:cSld> or <p:nvPr> holding <p:custDataLst>
    };

    Tags(std::shared_ptr<Presentation> presentation, std::function<Holder()> locate, std::function<void()> touch);

    int Count() const override;
    std::string Name(int index) const override;
    std::string Value(int index) const override;
    std::string Item(const std::string& name) const override;
    void Add(const std::string& name, const std::string& value) override;
    void Delete(const std::string& name) override;

private:
    std::shared_ptr<parts::TagsPart> Part(bool create) const;
    std::shared_ptr<parts::TagsPart> Existing(int index) const;

    std::shared_ptr<Presentation> presentation_;
    std::function<Holder()> locate_;
    std::function<void()> touch_;
};

}  // namespace velmora::pptx::model
