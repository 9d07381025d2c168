#include "pptx/parts/Template.hpp"

#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::parts::templates {

namespace {

const std::string kDeclaration = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                                 "\r\n";
const std::string kNamespaces = R"( xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main")"
                                R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")"
                                R"( xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main")";

const std::string kGroupProperties =
    R"(<p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>)"
    R"(<p:grpSpPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="0" cy="0"/>)"
    R"(<a:chOff x="0" y="0"/><a:chExt cx="0" cy="0"/></a:xfrm></p:grpSpPr>)";

const std::string kColorMap =
    R"(bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" accent3="accent3")"
    R"( accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" folHlink="folHlink")";

const std::string kEmptyText = R"(<p:txBody><a:bodyPr/><a:lstStyle/><a:p><a:endParaRPr lang="zh-CN"/></a:p></p:txBody>)";

std::string Placeholder(int id, const std::string& name, const std::string& ph, long long x, long long y,
                        long long cx, long long cy)
{
    return R"(<p:sp><p:nvSpPr><p:cNvPr id=")" + std::to_string(id) + R"(" name=")" + name +
           R"("/><p:cNvSpPr><a:spLocks noGrp="1"/></p:cNvSpPr><p:nvPr>)" + ph +
           R"(</p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x=")" + std::to_string(x) + R"(" y=")" + std::to_string(y) +
           R"("/><a:ext cx=")" + std::to_string(cx) + R"(" cy=")" + std::to_string(cy) +
           R"("/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></p:spPr>)" + kEmptyText + "</p:sp>";
}

std::string Run(int size, const std::string& color, const std::string& font)
{
    return R"(<a:defRPr sz=")" + std::to_string(size) + R"(" kern="1200"><a:solidFill><a:schemeClr val=")" + color +
           R"("/></a:solidFill><a:latin typeface="+)" + font + R"(-lt"/><a:ea typeface="+)" + font +
           R"(-ea"/><a:cs typeface="+)" + font + R"(-cs"/></a:defRPr>)";
}

std::string BodyLevels()
{
    const int sizes[] = {3200, 2800, 2400, 2000, 2000};
    std::string levels;
    for (int level = 1; level <= 5; ++level) {
        const int margin = 342900 + (level - 1) * 400050;
        levels += "<a:lvl" + std::to_string(level) + R"(pPr marL=")" + std::to_string(margin) +
                  R"(" indent="-342900" algn="l"><a:spcBef><a:spcPct val="20000"/></a:spcBef>)"
                  R"(<a:buFont typeface="Arial"/><a:buChar char="&#8226;"/>)" +
                  Run(sizes[level - 1], "tx1", "mn") + "</a:lvl" + std::to_string(level) + "pPr>";
    }
    return levels;
}

std::string Master()
{
    std::string layouts;
    for (int i = 1; i <= 4; ++i) {
        layouts += R"(<p:sldLayoutId id=")" + std::to_string(2147483648LL + i) + R"(" r:id="rId)" + std::to_string(i) +
                   R"("/>)";
    }
    return kDeclaration + "<p:sldMaster" + kNamespaces + ">" +
           R"(<p:cSld><p:bg><p:bgRef idx="1001"><a:schemeClr val="bg1"/></p:bgRef></p:bg><p:spTree>)" +
           kGroupProperties +
           Placeholder(2, "Title Placeholder 1", R"(<p:ph type="title"/>)", 457200, 274638, 8229600, 1143000) +
           Placeholder(3, "Text Placeholder 2", R"(<p:ph type="body" idx="1"/>)", 457200, 1600200, 8229600, 4525963) +
           "</p:spTree></p:cSld><p:clrMap " + kColorMap + "/><p:sldLayoutIdLst>" + layouts +
           "</p:sldLayoutIdLst><p:txStyles>" +
           R"(<p:titleStyle><a:lvl1pPr algn="ctr"><a:spcBef><a:spcPct val="0"/></a:spcBef><a:buNone/>)" +
           Run(4400, "tx1", "mj") + "</a:lvl1pPr></p:titleStyle><p:bodyStyle>" + BodyLevels() +
           R"(</p:bodyStyle><p:otherStyle><a:lvl1pPr marL="0" algn="l">)" + Run(1800, "tx1", "mn") +
           "</a:lvl1pPr></p:otherStyle></p:txStyles></p:sldMaster>";
}

std::string Layout(const std::string& type, const std::string& name, const std::string& placeholders)
{
    return kDeclaration + "<p:sldLayout" + kNamespaces + R"( type=")" + type + R"(" preserve="1"><p:cSld name=")" +
           name + R"("><p:spTree>)" + kGroupProperties + placeholders +
           "</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>";
}

std::string Title()
{
    return Placeholder(2, "Title 1", R"(<p:ph type="title"/>)", 457200, 274638, 8229600, 1143000);
}

std::string Rels(const std::vector<std::pair<std::string, std::string>>& targets)
{
    std::string rels = kDeclaration + R"(<Relationships xmlns=")" + ooxml::kPackageRelationshipsNs + R"(">)";
    int id = 0;
    for (const auto& [type, target] : targets) {
        rels += R"(<Relationship Id="rId)" + std::to_string(++id) + R"(" Type=")" + type + R"(" Target=")" + target +
                R"("/>)";
    }
    return rels + "</Relationships>";
}

}  // namespace

std::string Theme()
{
    auto color = [](const char* slot, const char* rgb) {
        return std::string("<a:") + slot + R"(><a:srgbClr val=")" + rgb + R"("/></a:)" + slot + ">";
    };
    auto three = [](const std::string& style) { return style + style + style; };
    const std::string fill = R"(<a:solidFill><a:schemeClr val="phClr"/></a:solidFill>)";
    std::string lines;
    for (const char* width : {"9525", "25400", "38100"}) {
        lines += std::string(R"(<a:ln w=")") + width + R"(">)" + fill + "</a:ln>";
    }
    const std::string fonts = R"(<a:latin typeface="Calibri"/><a:ea typeface=""/><a:cs typeface=""/>)";
    return kDeclaration + R"(<a:theme xmlns:a=")" + ooxml::kDrawingML +
           R"(" name="Office Theme"><a:themeElements><a:clrScheme name="Office">)" +
           R"(<a:dk1><a:sysClr val="windowText" lastClr="000000"/></a:dk1>)"
           R"(<a:lt1><a:sysClr val="window" lastClr="FFFFFF"/></a:lt1>)" +
           color("dk2", "1F497D") + color("lt2", "EEECE1") + color("accent1", "4F81BD") + color("accent2", "C0504D") +
           color("accent3", "9BBB59") + color("accent4", "8064A2") + color("accent5", "4BACC6") +
           color("accent6", "F79646") + color("hlink", "0000FF") + color("folHlink", "800080") +
           R"(</a:clrScheme><a:fontScheme name="Office"><a:majorFont>)" + fonts + "</a:majorFont><a:minorFont>" + fonts +
           R"(</a:minorFont></a:fontScheme><a:fmtScheme name="Office"><a:fillStyleLst>)" + three(fill) +
           "</a:fillStyleLst><a:lnStyleLst>" + lines + "</a:lnStyleLst><a:effectStyleLst>" +
           three("<a:effectStyle><a:effectLst/></a:effectStyle>") + "</a:effectStyleLst><a:bgFillStyleLst>" +
           three(fill) + "</a:bgFillStyleLst></a:fmtScheme></a:themeElements><a:objectDefaults/>"
           "<a:extraClrSchemeLst/></a:theme>";
}

std::string NotesMaster()
{
    return kDeclaration + "<p:notesMaster" + kNamespaces + ">" +
           R"(<p:cSld><p:bg><p:bgRef idx="1001"><a:schemeClr val="bg1"/></p:bgRef></p:bg><p:spTree>)" +
           kGroupProperties +
           Placeholder(2, "Slide Image Placeholder 1", R"(<p:ph type="sldImg" idx="2"/>)", 1143000, 685800, 4572000,
                       3429000) +
           Placeholder(3, "Notes Placeholder 2", R"(<p:ph type="body" sz="quarter" idx="3"/>)", 685800, 4343400,
                       5486400, 4114800) +
           "</p:spTree></p:cSld><p:clrMap " + kColorMap + R"(/><p:notesStyle><a:lvl1pPr marL="0" algn="l">)" +
           Run(1200, "tx1", "mn") + "</a:lvl1pPr></p:notesStyle></p:notesMaster>";
}

std::string NotesSlide()
{
    return kDeclaration + "<p:notes" + kNamespaces + "><p:cSld><p:spTree>" + kGroupProperties +
           R"(<p:sp><p:nvSpPr><p:cNvPr id="2" name="Slide Image Placeholder 1"/><p:cNvSpPr>)"
           R"(<a:spLocks noGrp="1" noRot="1" noChangeAspect="1"/></p:cNvSpPr><p:nvPr><p:ph type="sldImg"/>)"
           R"(</p:nvPr></p:nvSpPr><p:spPr/></p:sp>)"
           R"(<p:sp><p:nvSpPr><p:cNvPr id="3" name="Notes Placeholder 2"/><p:cNvSpPr><a:spLocks noGrp="1"/>)"
           R"(</p:cNvSpPr><p:nvPr><p:ph type="body" idx="1"/></p:nvPr></p:nvSpPr><p:spPr/>)" +
           kEmptyText + "</p:sp></p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:notes>";
}

std::string Slide()
{
    return kDeclaration + "<p:sld" + kNamespaces + "><p:cSld><p:spTree>" + kGroupProperties +
           "</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>";
}

std::string Tags()
{
    return kDeclaration + "<p:tagLst" + kNamespaces + "/>";
}

std::unique_ptr<package::Package> NewPresentation()
{
    namespace rel = ooxml::rel;
    namespace type = ooxml::type;
    auto package = package::Package::Create();
    package::ContentTypes& types = package->Types();
    types.EnsureDefault("rels", type::kRelationships);
    types.EnsureDefault("xml", type::kXml);
    auto add = [&](const std::string& part, const char* contentType, std::string content) {
        package->Write(part, std::move(content));
        types.SetOverride(part, contentType);
    };

    package->Write("/_rels/.rels", Rels({{rel::kOfficeDocument, "ppt/presentation.xml"}}));
    add("/ppt/presentation.xml", type::kPresentation,
        kDeclaration + "<p:presentation" + kNamespaces + R"( saveSubsetFonts="1">)" +
            R"(<p:sldMasterIdLst><p:sldMasterId id="2147483648" r:id="rId1"/></p:sldMasterIdLst>)"
            R"(<p:sldSz cx="9144000" cy="6858000" type="screen4x3"/><p:notesSz cx="6858000" cy="9144000"/>)"
            R"(<p:defaultTextStyle><a:lvl1pPr marL="0" algn="l">)" +
            Run(1800, "tx1", "mn") + "</a:lvl1pPr></p:defaultTextStyle></p:presentation>");
    package->Write("/ppt/_rels/presentation.xml.rels",
                   Rels({{rel::kSlideMaster, "slideMasters/slideMaster1.xml"},
                         {rel::kTheme, "theme/theme1.xml"},
                         {rel::kPresentationProperties, "presProps.xml"},
                         {rel::kViewProperties, "viewProps.xml"},
                         {rel::kTableStyles, "tableStyles.xml"}}));
    add("/ppt/presProps.xml", type::kPresentationProperties, kDeclaration + "<p:presentationPr" + kNamespaces + "/>");
    add("/ppt/viewProps.xml", type::kViewProperties, kDeclaration + "<p:viewPr" + kNamespaces + "/>");
    add("/ppt/tableStyles.xml", type::kTableStyles,
        kDeclaration + R"(<a:tblStyleLst xmlns:a=")" + ooxml::kDrawingML +
            R"(" def="{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}"/>)");
    add("/ppt/theme/theme1.xml", type::kTheme, Theme());
    add("/ppt/slideMasters/slideMaster1.xml", type::kSlideMaster, Master());
    package->Write("/ppt/slideMasters/_rels/slideMaster1.xml.rels",
                   Rels({{rel::kSlideLayout, "../slideLayouts/slideLayout1.xml"},
                         {rel::kSlideLayout, "../slideLayouts/slideLayout2.xml"},
                         {rel::kSlideLayout, "../slideLayouts/slideLayout3.xml"},
                         {rel::kSlideLayout, "../slideLayouts/slideLayout4.xml"},
                         {rel::kTheme, "../theme/theme1.xml"}}));

    const std::string layouts[][3] = {
        {"title", "Title Slide",
         Placeholder(2, "Title 1", R"(<p:ph type="ctrTitle"/>)", 685800, 2130425, 7772400, 1470025) +
             Placeholder(3, "Subtitle 2", R"(<p:ph type="subTitle" idx="1"/>)", 1371600, 3886200, 6400800, 1752600)},
        {"obj", "Title and Content",
         Title() + Placeholder(3, "Content Placeholder 2", R"(<p:ph idx="1"/>)", 457200, 1600200, 8229600, 4525963)},
        {"titleOnly", "Title Only", Title()},
        {"blank", "Blank", ""}};
    int number = 0;
    for (const auto& [layoutType, name, placeholders] : layouts) {
        const std::string part = "/ppt/slideLayouts/slideLayout" + std::to_string(++number) + ".xml";
        add(part, type::kSlideLayout, Layout(layoutType, name, placeholders));
        package->Write("/ppt/slideLayouts/_rels/slideLayout" + std::to_string(number) + ".xml.rels",
                       Rels({{rel::kSlideMaster, "../slideMasters/slideMaster1.xml"}}));
    }
    return package;
}

}  // namespace velmora::pptx::parts::templates
