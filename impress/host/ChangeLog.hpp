#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Reference.hxx>

namespace velmora::impress {

// A change refused because the document was opened read-only. Not a host
// error: a tool's stretch that suppresses host errors must not go on
// without the change, it ends the command.
class ReadOnlyDocument : public std::runtime_error {
public:
    ReadOnlyDocument() : std::runtime_error("the presentation is read-only") {}
};

// Changes made through the shape and page API never reach Impress's undo
// stack, so the host keeps its own record: each change with how to take it
// back and how to make it again.
class ChangeLog {
public:
    struct Change {
        std::function<void()> undo;
        std::function<void()> redo;
    };

    // Writes a property, keeping its old value.
    void Set(const css::uno::Reference<css::beans::XPropertySet>& properties, const std::string& name,
             const css::uno::Any& value);
    // Writes it to each target, keeping each one's old value: a text's runs
    // each keep their own, where the whole text would give back only one.
    void SetEach(const std::vector<css::uno::Reference<css::beans::XPropertySet>>& targets, const std::string& name,
                 const css::uno::Any& value);
    // A change already made, with its inverse.
    void Record(std::function<void()> undo, std::function<void()> redo);

    // A change Impress put on its own undo stack (a page removed through
    // the page API): only that stack can take it back.
    void RecordedByOffice();

    // From now on every change raises ReadOnlyDocument: one not yet made is
    // not made, one already made is kept so that taking the run back undoes it.
    void RefuseChanges() { refused_ = true; }
    bool OfficeRecorded() const { return officeRecorded_; }

    bool Empty() const { return changes_.empty(); }
    // Hands the record over, leaving the log empty.
    std::vector<Change> Take();
    // Takes every change back, newest first, and forgets them.
    void Revert();

private:
    std::vector<Change> changes_;
    bool officeRecorded_ = false;
    bool refused_ = false;
};

// Reads a property; raises the host error when the object has none such.
css::uno::Any Property(const css::uno::Reference<css::beans::XPropertySet>& properties, const std::string& name);

}  // namespace velmora::impress
