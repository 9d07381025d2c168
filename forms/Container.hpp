#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/Control.hpp"

namespace velmora::forms {

// Something controls sit in: the form, a frame, a page of a multi-page.
class Container {
public:
    virtual ~Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // Creates a control of kind T in this container; its form owns it.
    // Throws std::invalid_argument when the form already has that name.
    template <typename T, typename... Args>
    T& Add(std::string name, Args&&... args)
    {
        auto control = std::make_unique<T>(*this, std::move(name), std::forward<Args>(args)...);
        T& added = *control;
        Adopt(std::move(control));
        return added;
    }

    UserForm& Form() const { return form_; }
    const std::vector<Control*>& Children() const { return children_; }
    // Whether a user can reach what is inside.
    virtual bool ContentOperable() const = 0;

protected:
    explicit Container(UserForm& form) : form_(form) {}

private:
    void Adopt(std::unique_ptr<Control> control);

    UserForm& form_;
    std::vector<Control*> children_;
};

}  // namespace velmora::forms
