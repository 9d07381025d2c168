#include "publish/md_CombinPic.hpp"

#include <algorithm>
#include <exception>
#include <optional>
#include <system_error>
#include <vector>

#include "host/Host.hpp"
#include "platform/AsciiCase.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/SlidePictureNames.hpp"
#include "publish/MontageLayout.hpp"
#include "publish/frm_CombinPic.hpp"

namespace velmora::publish {

namespace {

constexpr float kMarkTextPoints = 18;
constexpr host::Color kMarkTextColor = 80 + 256 * 80 + 65536 * 80;

// The paste as picture that the web page then writes in the chosen format.
std::optional<int> PasteType(const std::string& picFormat)
{
    if (picFormat == "GIF") {
        return host::PasteDataType::GIF;
    }
    if (picFormat == "JPG") {
        return host::PasteDataType::JPG;
    }
    if (picFormat == "PNG") {
        return host::PasteDataType::Bitmap;
    }
    return std::nullopt;
}

float Points(double value)
{
    return static_cast<float>(value);
}

void AddCanvas(host::Shapes& shapes, const Place& canvas, host::Color colour)
{
    auto shape = shapes.AddShape(host::AutoShapeType::Rectangle, 0, 0, Points(canvas.width), Points(canvas.height));
    shape->Line()->SetVisible(host::TriState::False);
    shape->Fill()->SetTransparency(0);
    shape->Fill()->ForeColor()->SetRGB(colour);
}

void AddTextMark(host::Shapes& shapes, const Place& picture, const std::string& text, int position)
{
    auto box = shapes.AddTextbox(host::TextOrientation::Horizontal, 0, 0, Points(OutputScale::kMarkWidth),
                                 Points(OutputScale::kMarkHeight));
    auto frame = box->TextFrame();
    auto range = frame->TextRange();
    range->SetText(text);
    range->ParagraphFormat()->SetAlignment(host::Alignment::Left);
    range->Font()->Color()->SetRGB(kMarkTextColor);
    range->Font()->SetSize(kMarkTextPoints);
    frame->SetWordWrap(host::TriState::False);
    frame->SetAutoSize(host::AutoSize::ShapeToFitText);
    const Place mark = WatermarkPlace(picture, box->Width(), box->Height(), position, OutputScale::kMargin);
    box->SetTop(Points(mark.top));
    box->SetLeft(Points(mark.left));
}

void AddPictureMark(host::Shapes& shapes, const Place& picture, const CombinArgs& args)
{
    const Place mark = WatermarkPlace(picture, OutputScale::kMarkWidth, OutputScale::kMarkHeight,
                                      args.waterMarkPosition, OutputScale::kMargin);
    auto shape = shapes.AddShape(host::AutoShapeType::Rectangle, Points(mark.left), Points(mark.top),
                                 Points(mark.width), Points(mark.height));
    shape->Line()->SetVisible(host::TriState::False);
    shape->Fill()->UserPicture(args.markPic);
    shape->Fill()->SetTransparency(static_cast<float>(args.picTransp / 100));
}

// Every shape of the slide: the canvas, then each picture and its watermark.
std::vector<int> ShapeNumbers(int count)
{
    std::vector<int> numbers(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        numbers[static_cast<std::size_t>(i)] = i + 1;
    }
    return numbers;
}

void Compose(host::Slide& slide, const frm_CombinPic& form, const CombinArgs& args, float width, float height)
{
    auto shapes = slide.Shapes();
    while (shapes->Count() > 0) {
        shapes->Item(1)->Delete();
    }
    const MontageLayout layout(args.n, args.sortType, width, height, args.borderWidth);
    AddCanvas(*shapes, OnWholePoints(layout.Canvas()), form.BorderColor());
    const auto pictures = platform::FindSlidePictureNames(args.tmp);
    for (int i = 1; i <= args.n; ++i) {
        const Place place = OnWholePoints(layout.Picture(i));
        shapes->AddPicture(pictures.Of(i), host::TriState::False, host::TriState::True, Points(place.left),
                           Points(place.top), Points(place.width), Points(place.height));
        if (args.waterMark == 2) {
            AddTextMark(*shapes, place, form.WaterMarkTxt(), args.waterMarkPosition);
        } else if (args.waterMark == 3) {
            AddPictureMark(*shapes, place, args);
        }
    }
    auto group = shapes->Range(ShapeNumbers(shapes->Count()))->Group();
    group->Copy();
    group->Delete();
}

// The picture the web page holds under a name ending in "1." + format, any
// letter case; the first such name in name order, as a listing has none.
std::optional<std::filesystem::path> PastedPicture(const std::filesystem::path& resources,
                                                   const std::string& picFormat)
{
    const std::string ending = "1." + platform::AsciiLower(picFormat);
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(resources, error)) {
        const std::string name = platform::AsciiLower(entry.path().filename().string());
        if (entry.is_regular_file() && name.size() >= ending.size() &&
            name.compare(name.size() - ending.size(), ending.size(), ending) == 0) {
            found.push_back(entry.path());
        }
    }
    if (found.empty()) {
        return std::nullopt;
    }
    return *std::min_element(found.begin(), found.end());
}

std::filesystem::path WithSuffix(const std::filesystem::path& tmp, const char* suffix)
{
    return std::filesystem::path(tmp) += suffix;
}

bool WriteMontage(host::Presentation& scratch, const frm_CombinPic& form, const CombinArgs& args, float width,
                  float height)
{
    const auto pasteType = PasteType(args.picFormat);
    if (!pasteType) {
        return false;
    }
    auto slide = scratch.Slides()->Add(1, host::SlideLayout::Title);
    Compose(*slide, form, args, width, height);
    slide->Shapes()->PasteSpecial(*pasteType);
    scratch.SaveAs(WithSuffix(args.tmp, ".html"), host::SaveFormat::Html);
    const auto picture = PastedPicture(WithSuffix(args.tmp, ".files"), args.picFormat);
    if (!picture) {
        return false;
    }
    platform::ProduceFileAtomically(MontagePath(args.folder, args.baseName, args.picFormat),
                                    [&](const std::filesystem::path& temporary) {
                                        std::filesystem::copy_file(*picture, temporary, std::filesystem::copy_options::overwrite_existing);
                                    });
    return true;
}

}  // namespace

std::filesystem::path MontagePath(const std::filesystem::path& folder, const std::string& baseName,
                                  const std::string& picFormat)
{
    return folder / (baseName + "-拼图." + picFormat);
}

bool CombinSlidePics(host::Application& application, const frm_CombinPic& form, const CombinArgs& args)
{
    auto pageSetup = application.ActivePresentation()->PageSetup();
    const float width = pageSetup->SlideWidth();
    const float height = pageSetup->SlideHeight();

    auto scratch = application.Presentations()->Add(false);
    bool written = false;
    // A montage that misses a picture or a step is no montage: any failure
    // of the host or of the files ends the run without output.
    std::exception_ptr unsupported;
    try {
        written = WriteMontage(*scratch, form, args, width, height);
    } catch (const host::Unsupported&) {
        unsupported = std::current_exception();
    } catch (const std::runtime_error&) {
        // host errors, file errors and a folder without slide pictures alike
    }
    host::Suppressed([&] { scratch->Close(); });
    std::error_code ignored;
    std::filesystem::remove_all(WithSuffix(args.tmp, ".files"), ignored);
    std::filesystem::remove(WithSuffix(args.tmp, ".html"), ignored);
    if (unsupported) {
        std::rethrow_exception(unsupported);
    }
    return written;
}

}  // namespace velmora::publish
