#include "impress/host/ChangeLog.hpp"

#include <utility>

#include <com/sun/star/uno/Exception.hpp>

#include "host/HostError.hpp"
#include "impress/UnoText.hpp"

namespace velmora::impress {

using css::beans::XPropertySet;
using css::uno::Any;
using css::uno::Reference;

Any Property(const Reference<XPropertySet>& properties, const std::string& name)
{
    try {
        if (!properties.is()) {
            throw host::HostError("the object has no properties");
        }
        return properties->getPropertyValue(ToUno(name));
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("cannot read " + name + ": " + FromUno(failure.Message));
    }
}

void ChangeLog::Set(const Reference<XPropertySet>& properties, const std::string& name, const Any& value)
{
    if (refused_) {
        throw ReadOnlyDocument();
    }
    const Any old = Property(properties, name);
    const rtl::OUString unoName = ToUno(name);
    try {
        properties->setPropertyValue(unoName, value);
    } catch (const css::uno::Exception& failure) {
        throw host::HostError("cannot write " + name + ": " + FromUno(failure.Message));
    }
    Record([properties, unoName, old] { properties->setPropertyValue(unoName, old); },
           [properties, unoName, value] { properties->setPropertyValue(unoName, value); });
}

void ChangeLog::SetEach(const std::vector<Reference<XPropertySet>>& targets, const std::string& name, const Any& value)
{
    for (const auto& target : targets) {
        Set(target, name, value);
    }
}

void ChangeLog::Record(std::function<void()> undo, std::function<void()> redo)
{
    changes_.push_back({std::move(undo), std::move(redo)});
    if (refused_) {
        throw ReadOnlyDocument();
    }
}

void ChangeLog::RecordedByOffice()
{
    officeRecorded_ = true;
    if (refused_) {
        throw ReadOnlyDocument();
    }
}

std::vector<ChangeLog::Change> ChangeLog::Take()
{
    officeRecorded_ = false;
    return std::exchange(changes_, {});
}

void ChangeLog::Revert()
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        change->undo();
    }
    changes_.clear();
}

}  // namespace velmora::impress
