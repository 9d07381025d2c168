#include "StudioFixture.hpp"

#include <cstdlib>

#include <QApplication>
#include <QTimer>

#include "host/Presentation.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "platform/PlatformServices.hpp"
#include "studio/FormWindow.hpp"
#include "studio/SlideView.hpp"
#include "tests/support/Decks.hpp"

namespace velmora::studio {

void StudioFixture::SetUp()
{
    setenv("VELMORA_SETTINGS", (dir_ / "settings.ini").c_str(), 1);
    {
        testing::DeckHost decks;
        decks.BuildNumbered(Deck(), slides_);
        auto presentation = decks.OpenInWindow(Deck());
        auto shapes = presentation->Slides()->Item(1)->Shapes();
        shapes->AddShape(host::AutoShapeType::Rectangle, 100, 200, 200, 100)->SetName("Rect");
        shapes->AddShape(host::AutoShapeType::Oval, 400, 200, 150, 150)->SetName("Oval");
        presentation->Save();
    }
    prompts_ = std::make_shared<platform::ScriptedPrompts>(out_);
    shell_ = std::make_shared<RecordingShell>();
    window_ = std::make_unique<StudioWindow>(platform::PlatformServices({prompts_, shell_}), options_);
    window_->show();
    window_->Start();
    ASSERT_TRUE(window_->Open(Deck()));
}

void StudioFixture::TearDown()
{
    window_->Driver().UnloadAll();
    window_.reset();
    unsetenv("VELMORA_SETTINGS");
}

QWidget* StudioFixture::Control(const char* form, const char* control) const
{
    FormWindow* dialog = const_cast<StudioWindow&>(*window_).Driver().Window(form);
    EXPECT_NE(dialog, nullptr) << form << " is not open";
    QWidget* widget = dialog != nullptr ? dialog->Widget(control) : nullptr;
    EXPECT_NE(widget, nullptr) << form << " has no widget " << control;
    return widget;
}

void StudioFixture::WhenModal(std::function<void()> work)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, work] {
        if (QApplication::activeModalWidget() != nullptr) {
            poll->stop();
            poll->deleteLater();
            work();
        }
    });
    poll->start(10);
}

QPoint StudioFixture::ShapeCentre(const std::string& name) const
{
    const SlideView& view = window_->View();
    for (const SlideView::Outline& outline : view.Outlines()) {
        if (outline.name == name) {
            return view.WidgetRect(outline).center();
        }
    }
    ADD_FAILURE() << "no shape " << name << " on the slide shown";
    return {};
}

}  // namespace velmora::studio
