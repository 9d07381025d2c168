// The shared library's entry for LibreOffice's component loader.
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implementationentry.hxx>

#include "impress/ProtocolHandler.hpp"
#include "impress/StartUpJob.hpp"
#include "impress/UnoText.hpp"

namespace {

css::uno::Reference<css::uno::XInterface> CreateProtocolHandler(
    const css::uno::Reference<css::uno::XComponentContext>& office)
{
    return static_cast<cppu::OWeakObject*>(new velmora::impress::ProtocolHandler(office));
}

rtl::OUString ProtocolHandlerName()
{
    return rtl::OUString::createFromAscii(velmora::impress::kImplementationName);
}

css::uno::Sequence<rtl::OUString> ProtocolHandlerServices()
{
    return velmora::impress::SequenceOf({rtl::OUString("com.sun.star.frame.ProtocolHandler")});
}

css::uno::Reference<css::uno::XInterface> CreateStartUpJob(
    const css::uno::Reference<css::uno::XComponentContext>& office)
{
    return static_cast<cppu::OWeakObject*>(new velmora::impress::StartUpJob(office));
}

rtl::OUString StartUpJobName()
{
    return rtl::OUString::createFromAscii(velmora::impress::kStartUpJobName);
}

css::uno::Sequence<rtl::OUString> StartUpJobServices()
{
    return velmora::impress::SequenceOf({rtl::OUString("com.sun.star.task.Job")});
}

const cppu::ImplementationEntry kEntries[] = {
    {CreateProtocolHandler, ProtocolHandlerName, ProtocolHandlerServices, cppu::createSingleComponentFactory, nullptr,
     0},
    {CreateStartUpJob, StartUpJobName, StartUpJobServices, cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void* component_getFactory(const char* implementationName, void* serviceManager,
                                                           void* registryKey)
{
    return cppu::component_getFactoryHelper(implementationName, serviceManager, registryKey, kEntries);
}
