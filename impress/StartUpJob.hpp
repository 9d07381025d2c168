#pragma once

#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase2.hxx>

namespace velmora::impress {

inline constexpr const char* kStartUpJobName = "org.orvaldi.velmora.StartUpJob";

// Runs the add-in's start-up routine when a document is opened or made
// (Jobs.xcu ties it to those events); only the first presentation counts.
class StartUpJob : public cppu::WeakImplHelper2<css::task::XJob, css::lang::XServiceInfo> {
public:
    explicit StartUpJob(css::uno::Reference<css::uno::XComponentContext> office);

    css::uno::Any SAL_CALL execute(const css::uno::Sequence<css::beans::NamedValue>& arguments) override;

    rtl::OUString SAL_CALL getImplementationName() override;
    sal_Bool SAL_CALL supportsService(const rtl::OUString& serviceName) override;
    css::uno::Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override;

private:
    css::uno::Reference<css::uno::XComponentContext> office_;
};

}  // namespace velmora::impress
