#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/TextRange.hpp"
#include "pptx/shapes/TextSite.hpp"
#include "pptx/shapes/ThemeResolver.hpp"

namespace velmora::pptx::shapes {

// The font of whole text bodies, or of one run of them. Writes go to every
// run and paragraph end; reads give the value all runs show (own or
// inherited) or the mixed value.
class DocumentFont : public host::Font {
public:
    // run: the index of the one run meant, counted over all the bodies' runs.
    explicit DocumentFont(std::vector<TextSite> sites, std::optional<std::size_t> run = std::nullopt);

    std::string Name() const override;
    void SetName(const std::string& value) override;
    std::string NameFarEast() const override;
    void SetNameFarEast(const std::string& value) override;
    std::string NameAscii() const override;
    void SetNameAscii(const std::string& value) override;
    // The high-ANSI characters are drawn with the Latin typeface.
    std::string NameOther() const override;
    void SetNameOther(const std::string& value) override;
    std::string NameComplexScript() const override;
    void SetNameComplexScript(const std::string& value) override;
    float Size() const override;
    void SetSize(float points) override;
    int Bold() const override;
    void SetBold(int triState) override;
    int Italic() const override;
    void SetItalic(int triState) override;
    int Underline() const override;
    void SetUnderline(int triState) override;
    int Shadow() const override;
    void SetShadow(int triState) override;
    host::Ref<host::ColorFormat> Color() override;

private:
    template <typename T>
    T Read(const std::function<std::optional<T>(pugi::xml_node)>& read, T fallback, T mixed) const;
    // resizes: the write changes the text's extent (see TextSite::Resized).
    void Write(const std::function<void(pugi::xml_node)>& write, bool resizes = false);
    std::string Typeface(const char* slot) const;
    // The theme of the part the text is on (all sites share one part).
    ThemeResolver Theme() const;
    void SetTypeface(const char* slot, const std::string& value);
    int Flag(const char* attribute) const;
    void SetFlag(const char* attribute, int triState);

    std::vector<TextSite> sites_;
    std::optional<std::size_t> run_;
};

}  // namespace velmora::pptx::shapes
