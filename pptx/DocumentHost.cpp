#include "pptx/DocumentHost.hpp"

#include "host/HostError.hpp"
#include "pptx/model/Application.hpp"
#include "pptx/model/DocumentWindow.hpp"
#include "pptx/model/Presentation.hpp"

namespace velmora::pptx {

namespace {

model::DocumentWindow& OurWindow(host::DocumentWindow& window)
{
    auto* ours = dynamic_cast<model::DocumentWindow*>(&window);
    if (ours == nullptr) {
        throw host::HostError("the window is not one of the document host's");
    }
    return *ours;
}

model::Application& OurApplication(host::Application& application)
{
    auto* ours = dynamic_cast<model::Application*>(&application);
    if (ours == nullptr) {
        throw host::HostError("the application is not the document host's");
    }
    return *ours;
}

model::Presentation& OurPresentation(host::Presentation& presentation)
{
    auto* ours = dynamic_cast<model::Presentation*>(&presentation);
    if (ours == nullptr) {
        throw host::HostError("the presentation is not one of the document host's");
    }
    return *ours;
}

}  // namespace

std::shared_ptr<host::Application> CreateDocumentHost(host::Services services, std::string version)
{
    return std::make_shared<model::Application>(std::move(services), std::move(version));
}

void SetRenderObserver(host::Application& application, render::RenderObserver* observer)
{
    OurApplication(application).Pictures().SetObserver(observer);
}

void KeepOfficeRunning(host::Application& application)
{
    OurApplication(application).Pictures().KeepOfficeRunning();
}

void ExpectNextFile(host::Application& application, const std::filesystem::path& file)
{
    OurApplication(application).Pictures().ExpectNext(file);
}

void ShowSlide(host::DocumentWindow& window, int slideIndex)
{
    OurWindow(window).ShowSlide(slideIndex);
}

void SelectSlides(host::DocumentWindow& window, const std::vector<int>& slideIndexes)
{
    OurWindow(window).SelectSlides(slideIndexes);
}

void SelectShapes(host::DocumentWindow& window, int slideIndex, const std::vector<std::string>& shapeNames)
{
    OurWindow(window).SelectShapes(slideIndex, shapeNames);
}

void SelectText(host::DocumentWindow& window, int slideIndex, const std::string& shapeName)
{
    OurWindow(window).SelectText(slideIndex, shapeName);
}

void ClearSelection(host::DocumentWindow& window)
{
    OurWindow(window).ClearSelection();
}

class KeptState {
public:
    explicit KeptState(std::shared_ptr<const package::Package::State> state) : state_(std::move(state)) {}
    const package::Package::State& State() const { return *state_; }

private:
    std::shared_ptr<const package::Package::State> state_;
};

std::uint64_t Revision(host::Presentation& presentation)
{
    return OurPresentation(presentation).Revision();
}

std::shared_ptr<const KeptState> KeepState(host::Presentation& presentation)
{
    return std::make_shared<const KeptState>(OurPresentation(presentation).Keep());
}

void RestoreState(host::Presentation& presentation, const KeptState& state)
{
    OurPresentation(presentation).Restore(state.State());
}

std::size_t KeptBytes(const KeptState& state, const KeptState* older)
{
    return state.State().BytesBeyond(older != nullptr ? &older->State() : nullptr);
}

}  // namespace velmora::pptx
