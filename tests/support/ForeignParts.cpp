#include "tests/support/ForeignParts.hpp"

#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {

namespace {

const std::string kOfficeRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const std::string kImageType = kOfficeRelationships + "image";

std::string SlideEntry(int slide)
{
    return "ppt/slides/slide" + std::to_string(slide) + ".xml";
}

std::string Place(int id)
{
    const std::string offset = std::to_string(127000 * id);
    return "<a:off x=\"" + offset + "\" y=\"" + offset + "\"/><a:ext cx=\"1270000\" cy=\"952500\"/>";
}

// A 1 x 1 pixel PNG.
std::string Pixel()
{
    const unsigned char png[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
                                 0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
                                 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
                                 0x9C, 0x63, 0x00, 0x01, 0x00, 0x00, 0x05, 0x00, 0x01, 0x0D, 0x0A, 0x2D, 0xB4, 0x00,
                                 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    return std::string(reinterpret_cast<const char*>(png), sizeof png);
}

std::string MediaPart(const std::filesystem::path& deck, const std::string& slide, const std::string& name,
                      const std::string& type, const std::string& contentType, const std::string& content,
                      bool absoluteTarget = false)
{
    if (ReadEntry(deck, name)) {
        return Relate(deck, slide, type, name, absoluteTarget);
    }
    return AddRelatedPart(deck, slide, type, name, contentType, content, absoluteTarget);
}

std::string Frame(int id, const std::string& name, const std::string& uri, const std::string& data)
{
    return "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name +
           "\"/><p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr><p:xfrm>" + Place(id) +
           "</p:xfrm><a:graphic><a:graphicData uri=\"" + uri + "\">" + data + "</a:graphicData></a:graphic></p:graphicFrame>";
}

std::string Picture(int id, const std::string& name, const std::string& embed, const std::string& media = "")
{
    return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name +
           "\"/><p:cNvPicPr/><p:nvPr>" + media + "</p:nvPr></p:nvPicPr><p:blipFill><a:blip r:embed=\"" + embed +
           "\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill><p:spPr><a:xfrm>" + Place(id) +
           "</a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>";
}

std::string ChartXml(const std::string& workbook)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
           "<c:chart><c:plotArea><c:layout/><c:barChart><c:barDir val=\"col\"/><c:grouping val=\"clustered\"/>"
           "<c:ser><c:idx val=\"0\"/><c:order val=\"0\"/><c:val><c:numRef><c:f>Sheet1!$B$2:$B$3</c:f><c:numCache>"
           "<c:formatCode>General</c:formatCode><c:ptCount val=\"2\"/><c:pt idx=\"0\"><c:v>3</c:v></c:pt>"
           "<c:pt idx=\"1\"><c:v>5</c:v></c:pt></c:numCache></c:numRef></c:val></c:ser>"
           "<c:axId val=\"1\"/><c:axId val=\"2\"/></c:barChart>"
           "<c:catAx><c:axId val=\"1\"/><c:scaling/><c:delete val=\"0\"/><c:axPos val=\"b\"/><c:crossAx val=\"2\"/></c:catAx>"
           "<c:valAx><c:axId val=\"2\"/><c:scaling/><c:delete val=\"0\"/><c:axPos val=\"l\"/><c:crossAx val=\"1\"/></c:valAx>"
           "</c:plotArea></c:chart><c:externalData r:id=\"" + workbook + "\"/></c:chartSpace>";
}

std::string DiagramPart(const std::string& root, const std::string& ns)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><" + root + " xmlns:dgm=\"" + ns +
           "\" xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"/>";
}

}  // namespace

void AddPicture(const std::filesystem::path& deck, int slide, const std::string& media, bool absoluteTarget)
{
    const std::string entry = SlideEntry(slide);
    const std::string id = MediaPart(deck, entry, "ppt/media/" + media, kImageType, "image/png", Pixel(), absoluteTarget);
    AppendShapes(deck, entry, Picture(40 + slide, "Picture " + media, id));
}

void AddChart(const std::filesystem::path& deck, int slide, int number)
{
    const std::string entry = SlideEntry(slide);
    const std::string chart = "ppt/charts/chart" + std::to_string(number) + ".xml";
    const std::string workbook = "ppt/embeddings/workbook" + std::to_string(number) + ".xlsx";
    WriteEntry(deck, chart, "");
    const std::string workbookId =
        AddRelatedPart(deck, chart, kOfficeRelationships + "package", workbook,
                       "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", "workbook " + std::to_string(number));
    const std::string chartId =
        AddRelatedPart(deck, entry, kOfficeRelationships + "chart", chart,
                       "application/vnd.openxmlformats-officedocument.drawingml.chart+xml", ChartXml(workbookId));
    AppendShapes(deck, entry,
                 Frame(50 + number, "Chart " + std::to_string(number), "http://schemas.openxmlformats.org/drawingml/2006/chart",
                       "<c:chart xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" r:id=\"" + chartId + "\"/>"));
}

void AddDiagram(const std::filesystem::path& deck, int slide, int number)
{
    const std::string entry = SlideEntry(slide);
    const std::string n = std::to_string(number) + ".xml";
    const std::string ns = "http://schemas.openxmlformats.org/drawingml/2006/diagram";
    const std::string type = "application/vnd.openxmlformats-officedocument.drawingml.diagram";
    const std::string data = AddRelatedPart(deck, entry, kOfficeRelationships + "diagramData", "ppt/diagrams/data" + n,
                                            type + "Data+xml", DiagramPart("dgm:dataModel", ns));
    const std::string layout = AddRelatedPart(deck, entry, kOfficeRelationships + "diagramLayout",
                                              "ppt/diagrams/layout" + n, type + "Layout+xml", DiagramPart("dgm:layoutDef", ns));
    const std::string style = AddRelatedPart(deck, entry, kOfficeRelationships + "diagramQuickStyle",
                                             "ppt/diagrams/quickStyle" + n, type + "Style+xml", DiagramPart("dgm:styleDef", ns));
    const std::string colors = AddRelatedPart(deck, entry, kOfficeRelationships + "diagramColors",
                                              "ppt/diagrams/colors" + n, type + "Colors+xml", DiagramPart("dgm:colorsDef", ns));
    AddRelatedPart(deck, entry, "http://schemas.microsoft.com/office/2007/relationships/diagramDrawing",
                   "ppt/diagrams/drawing" + n, "application/vnd.ms-office.drawingml.diagramDrawing+xml",
                   DiagramPart("dsp:drawing", "http://schemas.microsoft.com/office/drawing/2008/diagram"));
    AppendShapes(deck, entry,
                 Frame(60 + number, "Diagram " + std::to_string(number), ns,
                       "<dgm:relIds xmlns:dgm=\"" + ns + "\" r:dm=\"" + data + "\" r:lo=\"" + layout + "\" r:qs=\"" +
                           style + "\" r:cs=\"" + colors + "\"/>"));
}

void AddVideo(const std::filesystem::path& deck, int slide, int number)
{
    const std::string entry = SlideEntry(slide);
    const std::string video = "ppt/media/video" + std::to_string(number) + ".mp4";
    const std::string link = AddRelatedPart(deck, entry, kOfficeRelationships + "video", video, "video/mp4", "not a real movie");
    Relate(deck, entry, "http://schemas.microsoft.com/office/2007/relationships/media", video);
    const std::string poster =
        MediaPart(deck, entry, "ppt/media/poster" + std::to_string(number) + ".png", kImageType, "image/png", Pixel());
    AppendShapes(deck, entry, Picture(70 + number, "Video " + std::to_string(number), poster,
                                      "<a:videoFile r:link=\"" + link + "\"/>"));
}

}  // namespace velmora::testing
