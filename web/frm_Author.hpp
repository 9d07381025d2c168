#pragma once

#include <string>

#include "forms/UserForm.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"
#include "web/Endpoints.hpp"

namespace velmora::web {

// About the author: six lines of text, links to the author's pages (the
// picture ImgWeibo and Label7 to Label13) and an OK button.
class frm_Author : public forms::UserForm {
public:
    frm_Author(forms::FormDriver& driver, host::Application& application, host::Services services);

    // The address Label12 opens: a mail to the author with its subject.
    std::string MailLink() const;

protected:
    void UserForm_Initialize() override;
    void UserForm_Terminate() override;

private:
    void AddText();
    void AddLinks();
    void AddLink(const std::string& name, const std::string& caption, Endpoint page, float top);

    void Cmd_OK_Click();
    void OpenPage(const std::string& address);

    host::Application& host_;
    host::Application* application_ = nullptr;  // the dialog's own reference while it lives
    host::Services services_;
};

}  // namespace velmora::web
