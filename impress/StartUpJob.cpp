#include "impress/StartUpJob.hpp"

#include <com/sun/star/frame/XModel.hpp>
#include <cppuhelper/supportsservice.hxx>

#include "impress/AddinSession.hpp"
#include "impress/UnoText.hpp"

namespace velmora::impress {

using css::beans::NamedValue;
using css::uno::Reference;
using css::uno::Sequence;

namespace {

// The document the event is about, from the job's environment.
Reference<css::frame::XModel> EventModel(const Sequence<NamedValue>& arguments)
{
    Reference<css::frame::XModel> model;
    for (const NamedValue& argument : arguments) {
        Sequence<NamedValue> environment;
        if (argument.Name == "Environment" && (argument.Value >>= environment)) {
            for (const NamedValue& value : environment) {
                if (value.Name == "Model") {
                    value.Value >>= model;
                }
            }
        }
    }
    return model;
}

}  // namespace

StartUpJob::StartUpJob(Reference<css::uno::XComponentContext> office) : office_(std::move(office)) {}

css::uno::Any StartUpJob::execute(const Sequence<NamedValue>& arguments)
{
    if (const auto model = EventModel(arguments); model.is()) {
        AddinSession::Instance(office_).StartUp(model);
    }
    return {};
}

rtl::OUString StartUpJob::getImplementationName()
{
    return rtl::OUString::createFromAscii(kStartUpJobName);
}

sal_Bool StartUpJob::supportsService(const rtl::OUString& serviceName)
{
    return cppu::supportsService(this, serviceName);
}

Sequence<rtl::OUString> StartUpJob::getSupportedServiceNames()
{
    return SequenceOf({rtl::OUString("com.sun.star.task.Job")});
}

}  // namespace velmora::impress
