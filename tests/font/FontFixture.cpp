#include "tests/font/FontFixture.hpp"

#include "font/frm_setFont.hpp"
#include "forms/ScriptedDriver.hpp"
#include "platform/FileSettingsStore.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::testing {

namespace {

constexpr float kStartPoints = 12;

float TextSize(host::Shape& shape)
{
    return shape.TextFrame()->TextRange()->Font()->Size();
}

bool AllSized(host::Shape& shape, float points)
{
    if (shape.HasTable() == host::TriState::True) {
        auto rows = shape.Table()->Rows();
        for (int r = 1; r <= rows->Count(); ++r) {
            auto cells = rows->Item(r)->Cells();
            for (int c = 1; c <= cells->Count(); ++c) {
                if (TextSize(*cells->Item(c)->Shape()) != points) {
                    return false;
                }
            }
        }
        return true;
    }
    return shape.HasTextFrame() == host::TriState::True && TextSize(shape) == points;
}

}  // namespace

FontTest::FontTest() : prompts_(std::make_shared<platform::ScriptedPrompts>(shown_))
{
    services_.settings = std::make_shared<platform::FileSettingsStore>(dir_ / "settings.ini");
    services_.prompts = prompts_;
}

void FontTest::NewDeck(const std::vector<int>& layouts, const std::string& version)
{
    application_ = pptx::CreateDocumentHost(services_, version);
    presentation_ = application_->Presentations()->Add(true);
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        auto slide = presentation_->Slides()->Add(static_cast<int>(i) + 1, layouts[i]);
        auto placeholders = slide->Shapes()->Placeholders();
        for (int p = 1; p <= placeholders->Count(); ++p) {
            Prepare(placeholders->Item(p), placeholders->Item(p)->Name());
        }
    }
}

void FontTest::OpenDeck(const std::filesystem::path& file, const std::string& version)
{
    application_ = pptx::CreateDocumentHost(services_, version);
    presentation_ = application_->Presentations()->Open(file, false, false, true);
}

host::Ref<host::Shapes> FontTest::ShapesOf(int slide) const
{
    return presentation_->Slides()->Item(slide)->Shapes();
}

host::Ref<host::Shape> FontTest::Shape(int slide, const std::string& name) const
{
    return ShapesOf(slide)->Item(name);
}

int FontTest::IndexOf(int slide, const std::string& name) const
{
    auto shapes = ShapesOf(slide);
    for (int i = 1; i <= shapes->Count(); ++i) {
        if (shapes->Item(i)->Name() == name) {
            return i;
        }
    }
    ADD_FAILURE() << "no shape " << name << " on slide " << slide;
    return 0;
}

host::Ref<host::Shape> FontTest::Prepare(host::Ref<host::Shape> shape, const std::string& name)
{
    shape->SetName(name);
    auto text = shape->TextFrame()->TextRange();
    text->SetText(name);
    text->Font()->SetSize(kStartPoints);
    return shape;
}

host::Ref<host::Shape> FontTest::AddTextBox(int slide, const std::string& name, float left, float top, float width,
                                            float height)
{
    return Prepare(ShapesOf(slide)->AddTextbox(host::TextOrientation::Horizontal, left, top, width, height), name);
}

host::Ref<host::Shape> FontTest::AddRectangle(int slide, const std::string& name)
{
    return Prepare(ShapesOf(slide)->AddShape(host::AutoShapeType::Rectangle, 300, 200, 120, 60), name);
}

host::Ref<host::Shape> FontTest::Group(int slide, const std::vector<std::string>& members, const std::string& name)
{
    std::vector<int> indexes;
    for (const auto& member : members) {
        indexes.push_back(IndexOf(slide, member));
    }
    auto group = ShapesOf(slide)->Range(indexes)->Group();
    group->SetName(name);
    return group;
}

host::Ref<host::Shape> FontTest::AddTable(int slide, const std::string& name)
{
    auto shape = ShapesOf(slide)->AddTable(2, 2, 20, 300, 300, 80);
    shape->SetName(name);
    for (int r = 1; r <= 2; ++r) {
        for (int c = 1; c <= 2; ++c) {
            auto text = shape->Table()->Cell(r, c)->Shape()->TextFrame()->TextRange();
            text->SetText("x");
            text->Font()->SetSize(kStartPoints);
        }
    }
    return shape;
}

std::vector<std::string> FontTest::ShapesSized(int slide, float points) const
{
    std::vector<std::string> names;
    auto shapes = ShapesOf(slide);
    for (int i = 1; i <= shapes->Count(); ++i) {
        auto shape = shapes->Item(i);
        if (AllSized(*shape, points)) {
            names.push_back(shape->Name());
        }
    }
    return names;
}

float FontTest::SizeOf(host::Shape& shape)
{
    return TextSize(shape);
}

void FontTest::RunSetFont(std::vector<forms::ScriptStep> steps)
{
    forms::ScriptedDriver driver(std::move(steps));
    font::setFont_main(*application_, services_, driver);
    EXPECT_EQ(driver.PendingSteps(), 0u) << "the dialog closed before the script ended";
}

forms::ScriptStep FontTest::Set(const std::string& control, const std::string& value)
{
    return {forms::ScriptStep::Kind::Set, control, value};
}

forms::ScriptStep FontTest::Click(const std::string& control)
{
    return {forms::ScriptStep::Kind::Click, control, ""};
}

std::string FontTest::Stored(const std::string& key) const
{
    return services_.settings->GetSetting(host::kAppName, "SetFont-Settings", key, "(absent)");
}

void FontTest::ForgetSettings() const
{
    std::filesystem::remove(dir_ / "settings.ini");
}

std::vector<std::string> FontTest::Messages() const
{
    std::vector<std::string> texts;
    for (const auto& record : prompts_->Transcript()) {
        if (record.kind == "message") {
            texts.push_back(record.prompt);
        }
    }
    return texts;
}

}  // namespace velmora::testing
