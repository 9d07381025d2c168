#include "tests/impress/OfficeFixture.hpp"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XExtendedToolkit.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/util/URLTransformer.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>
#include <com/sun/star/frame/FeatureStateEvent.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>

#include "host/SettingsStore.hpp"
#include "impress/AddinSession.hpp"
#include "impress/AddonsWriter.hpp"
#include "impress/ImpressShell.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressPresentation.hpp"
#include "platform/FileSettingsStore.hpp"
#include "tests/support/Process.hpp"
#include "web/Endpoints.hpp"

extern char** environ;

namespace velmora::testing {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using impress::Named;
using impress::SequenceOf;
using impress::ToUno;

namespace {

constexpr auto kStartLimit = std::chrono::seconds(90);

std::string FileUrl(const std::filesystem::path& path)
{
    return "file://" + path.string();
}

}  // namespace

Office& Office::Get()
{
    return Started(Kind::Headless);
}

Office& Office::OnDesktop()
{
    return Started(Kind::Desktop);
}

Office& Office::Started(Kind kind)
{
    static Office office(kind);
    if (office.kind_ != kind && kind == Kind::Desktop) {
        throw std::logic_error("the binary's office was started headless before it asked for the desktop one");
    }
    return office;
}

Office::Office(Kind kind)
    : kind_(kind),
      profile_(dir_ / "profile"),
      transcript_(dir_ / "messages.txt"),
      settings_(dir_ / "settings.ini"),
      opened_(dir_ / "opened.txt"),
      pipe_("velmora_test_" + std::to_string(::getpid()))
{
    Install();
    Start();
    Connect();
}

Office::~Office()
{
    try {
        if (desktop_.is()) {
            desktop_->terminate();
        }
    } catch (const css::uno::Exception&) {
        // The bridge goes down with soffice; the wait below reaps it.
    }
    if (pid_ > 0) {
        for (int i = 0; i < 100 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

// unopkg refuses a user installation to root (as CI runs), so the extension
// goes into the shared layer, moved into our folder like the profile.
std::vector<std::string> Office::Layers() const
{
    return {"-env:UserInstallation=" + FileUrl(profile_), "-env:UNO_SHARED_PACKAGES_CACHE=" + FileUrl(dir_ / "shared")};
}

void Office::Install() const
{
    std::vector<std::string> arguments{"unopkg", "add", "--shared", "--suppress-license", VELMORA_OXT};
    for (const std::string& layer : Layers()) {
        arguments.push_back(layer);
    }
    const ProcessResult result = RunProcess(arguments, std::chrono::seconds(120));
    if (result.status != 0) {
        throw std::runtime_error("unopkg add failed: " + result.out + result.err);
    }
}

void Office::Start()
{
    std::vector<std::string> arguments{"soffice",
                                       "--nologo",
                                       "--norestore",
                                       "--nodefault",
                                       "--accept=pipe,name=" + pipe_ + ";urp;StarOffice.ComponentContext"};
    for (const std::string& layer : Layers()) {
        arguments.push_back(layer);
    }
    std::vector<std::string> environment{std::string(impress::kOpenedVariable) + "=" + opened_.string(),
                                         "VELMORA_SETTINGS=" + settings_.string(), "VELMORA_NO_OPEN=1"};
    if (kind_ == Kind::Headless) {
        arguments.insert(arguments.begin() + 1, {"--headless", "--invisible"});
        environment.push_back(std::string(impress::kTranscriptVariable) + "=" + transcript_.string());
    }
    // The start-up routine counts starts but checks for no update: it runs
    // when the first deck opens, behind the test's back. Nothing listens at
    // the update server should it all the same; a setting, not the
    // environment, so that a test may point it at its own server.
    platform::FileSettingsStore settings(settings_);
    settings.SaveSetting(host::kAppName, "Settings", "updateflag", "No");
    settings.SaveSetting(host::kAppName, web::kEndpointsSection, "UpdateServer", "http://127.0.0.1:9");
    for (char** variable = environ; *variable != nullptr; ++variable) {
        environment.emplace_back(*variable);
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    if (::posix_spawnp(&pid_, "soffice", nullptr, nullptr, argv.data(), envp.data()) != 0) {
        throw std::runtime_error("cannot start soffice");
    }
}

void Office::Connect()
{
    ::setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc", 0);
    const auto local = cppu::defaultBootstrap_InitialComponentContext();
    const auto resolver = css::bridge::UnoUrlResolver::create(local);
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (!context_.is()) {
        try {
            context_.set(resolver->resolve(ToUno("uno:pipe,name=" + pipe_ + ";urp;StarOffice.ComponentContext")),
                         UNO_QUERY_THROW);
        } catch (const css::uno::Exception&) {
            if (std::chrono::steady_clock::now() > deadline) {
                throw std::runtime_error("soffice did not accept a connection");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
    }
    desktop_ = css::frame::Desktop::create(context_);
}

// The toolkit marks its calls that walk the office's windows as deprecated;
// from another process they are the one way to the dialogs the component shows.
std::vector<Reference<css::awt::XTopWindow>> Office::TopWindows() const
{
    const Reference<css::awt::XExtendedToolkit> toolkit(css::awt::Toolkit::create(context_), UNO_QUERY_THROW);
    std::vector<Reference<css::awt::XTopWindow>> windows;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    for (sal_Int32 i = 0; i < toolkit->getTopWindowCount(); ++i) {
        windows.push_back(toolkit->getTopWindow(i));
    }
#pragma GCC diagnostic pop
    return windows;
}

std::string Office::TakeMessages()
{
    std::ifstream in(transcript_);
    std::stringstream messages;
    messages << in.rdbuf();
    std::ofstream(transcript_, std::ios::trunc);
    return messages.str();
}

std::vector<std::string> Office::TakeOpened()
{
    std::vector<std::string> opened;
    std::ifstream in(opened_);
    for (std::string line; std::getline(in, line);) {
        opened.push_back(line);
    }
    std::ofstream(opened_, std::ios::trunc);
    return opened;
}

LiveDeck::LiveDeck(const std::filesystem::path& file) : LiveDeck(impress::FromUno(impress::FileUrl(file))) {}

LiveDeck::LiveDeck(const std::string& url, bool readOnly)
{
    const auto loader = Reference<css::frame::XComponentLoader>(Office::Get().desktop(), UNO_QUERY_THROW);
    const auto arguments = readOnly ? SequenceOf({Named("ReadOnly", Any(true))})
                                    : css::uno::Sequence<css::beans::PropertyValue>();
    model_.set(loader->loadComponentFromURL(ToUno(url), "_blank", 0, arguments), UNO_QUERY_THROW);
}

LiveDeck LiveDeck::New(const std::string& factory)
{
    return LiveDeck(factory);
}

LiveDeck LiveDeck::ReadOnly(const std::filesystem::path& file)
{
    return LiveDeck(impress::FromUno(impress::FileUrl(file)), true);
}

LiveDeck::~LiveDeck()
{
    try {
        Reference<css::util::XCloseable>(model_, UNO_QUERY_THROW)->close(true);
    } catch (const css::uno::Exception&) {
        // Closing a deck the office already let go of.
    }
}

Reference<css::frame::XDispatch> LiveDeck::Dispatch(css::util::URL& url, const std::string& command) const
{
    url.Complete = ToUno(command);
    css::util::URLTransformer::create(Office::Get().context())->parseStrict(url);
    const Reference<css::frame::XDispatchProvider> provider(model_->getCurrentController()->getFrame(),
                                                            UNO_QUERY_THROW);
    return provider->queryDispatch(url, "_self", 0);
}

void LiveDeck::Press(const std::string& onAction, const std::string& controlId, const Script& script)
{
    css::util::URL url;
    const auto dispatch = Dispatch(url, impress::CommandUrl(onAction, controlId));
    ASSERT_TRUE(dispatch.is()) << "no dispatch for " << onAction;
    css::uno::Sequence<css::beans::PropertyValue> arguments(static_cast<sal_Int32>(script.size()));
    for (std::size_t i = 0; i < script.size(); ++i) {
        arguments.getArray()[i] = Named(script[i].first.c_str(), Any(ToUno(script[i].second)));
    }
    dispatch->dispatch(url, arguments);
}

void LiveDeck::Run(const std::string& command) const
{
    css::frame::DispatchHelper::create(Office::Get().context())
        ->executeDispatch(Reference<css::frame::XDispatchProvider>(model_->getCurrentController()->getFrame(),
                                                                  UNO_QUERY_THROW),
                          ToUno(command), "", 0, {});
}

// The view's sub-controller names its kind of view.
bool LiveDeck::Shows(const char* view) const
{
    const Reference<css::beans::XPropertySet> controller(model_->getCurrentController(), UNO_QUERY_THROW);
    const Reference<css::lang::XServiceInfo> shown(controller->getPropertyValue("SubController"), UNO_QUERY);
    return shown.is() && shown->supportsService(ToUno(view));
}

void LiveDeck::SwitchView(const std::string& command, const char* view) const
{
    Run(command);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Shows(view)) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("Impress did not switch views for " + command);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

namespace {

// Keeps the last state a dispatch reported.
class StateListener : public cppu::WeakImplHelper1<css::frame::XStatusListener> {
public:
    void SAL_CALL statusChanged(const css::frame::FeatureStateEvent& state) override
    {
        enabled = state.IsEnabled;
        state.State >>= text;
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

    bool enabled = false;
    rtl::OUString text;
};

// The state a dispatch reports to a new listener, as a menu entry asks for it.
rtl::Reference<StateListener> StateOf(const Reference<css::frame::XDispatch>& dispatch, const css::util::URL& url)
{
    const rtl::Reference<StateListener> state(new StateListener);
    if (dispatch.is()) {
        dispatch->addStatusListener(state.get(), url);
        dispatch->removeStatusListener(state.get(), url);
    }
    return state;
}

}  // namespace

bool LiveDeck::Enabled(const std::string& onAction, const std::string& controlId) const
{
    css::util::URL url;
    const auto dispatch = Dispatch(url, impress::CommandUrl(onAction, controlId));
    return StateOf(dispatch, url)->enabled;
}

std::string LiveDeck::MenuText(const std::string& command) const
{
    css::util::URL url;
    const auto dispatch = Dispatch(url, command);
    return impress::FromUno(StateOf(dispatch, url)->text);
}

void LiveDeck::StoreAs(const std::filesystem::path& file) const
{
    Reference<css::frame::XStorable>(model_, UNO_QUERY_THROW)
        ->storeToURL(impress::FileUrl(file),
                     SequenceOf({Named("FilterName", Any(impress::FilterFor(file))), Named("Overwrite", Any(true))}));
}

void LiveDeck::ShowSlide(int index) const
{
    const Reference<css::drawing::XDrawPagesSupplier> pages(model_, UNO_QUERY_THROW);
    Reference<css::drawing::XDrawView>(model_->getCurrentController(), UNO_QUERY_THROW)
        ->setCurrentPage(
            Reference<css::drawing::XDrawPage>(pages->getDrawPages()->getByIndex(index - 1), UNO_QUERY_THROW));
}

void LiveDeck::SetFont(int slideIndex, int shapeIndex, int from, int length, const std::string& font) const
{
    const Reference<css::drawing::XDrawPagesSupplier> pages(model_, UNO_QUERY_THROW);
    const Reference<css::drawing::XShapes> shapes(pages->getDrawPages()->getByIndex(slideIndex - 1), UNO_QUERY_THROW);
    const Reference<css::text::XText> text(shapes->getByIndex(shapeIndex - 1), UNO_QUERY_THROW);
    const auto cursor = text->createTextCursor();
    cursor->gotoStart(false);
    cursor->goRight(static_cast<sal_Int16>(from), false);
    cursor->goRight(static_cast<sal_Int16>(length), true);
    Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)->setPropertyValue("CharFontName", Any(ToUno(font)));
}

std::string LiveDeck::SelectShape(int slideIndex, int shapeIndex) const
{
    ShowSlide(slideIndex);
    const Reference<css::drawing::XDrawPagesSupplier> pages(model_, UNO_QUERY_THROW);
    const Reference<css::drawing::XShapes> shapes(pages->getDrawPages()->getByIndex(slideIndex - 1), UNO_QUERY_THROW);
    const Any shape = shapes->getByIndex(shapeIndex - 1);
    Reference<css::view::XSelectionSupplier>(model_->getCurrentController(), UNO_QUERY_THROW)->select(shape);
    return impress::FromUno(Reference<css::container::XNamed>(shape, UNO_QUERY_THROW)->getName());
}

sal_Int32 LiveDeck::FillColour(int slideIndex, int shapeIndex) const
{
    const Reference<css::drawing::XDrawPagesSupplier> pages(model_, UNO_QUERY_THROW);
    const Reference<css::drawing::XShapes> shapes(pages->getDrawPages()->getByIndex(slideIndex - 1), UNO_QUERY_THROW);
    return Reference<css::beans::XPropertySet>(shapes->getByIndex(shapeIndex - 1), UNO_QUERY_THROW)
        ->getPropertyValue("FillColor")
        .get<sal_Int32>();
}

void LiveDeck::Undo() const
{
    Reference<css::document::XUndoManagerSupplier>(model_, UNO_QUERY_THROW)->getUndoManager()->undo();
}

void LiveDeck::Redo() const
{
    Reference<css::document::XUndoManagerSupplier>(model_, UNO_QUERY_THROW)->getUndoManager()->redo();
}

std::vector<std::string> LiveDeck::UndoTitles() const
{
    std::vector<std::string> titles;
    const auto manager = Reference<css::document::XUndoManagerSupplier>(model_, UNO_QUERY_THROW)->getUndoManager();
    for (const rtl::OUString& title : manager->getAllUndoActionTitles()) {
        titles.push_back(impress::FromUno(title));
    }
    return titles;
}

}  // namespace velmora::testing
