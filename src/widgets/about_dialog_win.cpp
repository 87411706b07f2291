#include "widgets/about_dialog_win.h"

#include <string>

#include "core/message_texts.h"
#include "resource.h"
#include "widgets_ids.h"
#include "core/message_ids.h"

namespace {

// The address a "mailto:" link writes to, as the label shows it.
std::string MailAddress(const std::string& link) {
  const std::string scheme = "mailto:";
  return link.compare(0, scheme.size(), scheme) == 0 ? link.substr(scheme.size()) : link;
}

}  // namespace

AboutDialog::AboutDialog(MessageTexts& texts) : Dialog(texts.TemplateId(IDD_ABOUT)), texts_(texts) {}

BOOL AboutDialog::OnInitDialog() {
  HCURSOR hand = ::LoadCursorA(ResourceModule(), MAKEINTRESOURCEA(IDC_CLOCKHAND));
  const std::string web = texts_.Text(kMsgWebAddress);
  const std::string mail = texts_.Text(kMsgSupportMail);
  struct Link {
    CLinkStatic& link;
    int id;
    std::string label;
    const std::string& target;
  };
  for (const Link& l : {Link{webSite_, IDC_ABOUT_WEBSITE, "Web-site: " + web, web},
                        Link{email_, IDC_ABOUT_EMAIL, "E-mail: " + MailAddress(mail), mail}}) {
    ::SetWindowTextA(Item(l.id), l.label.c_str());
    l.link.Attach(Item(l.id));
    l.link.SetLinkCursor(hand);
    l.link.SetTarget(l.target);
  }
  return TRUE;
}

bool AboutDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_HELP) {  // F1 is answered, and nothing opens
    result = TRUE;
    return true;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}
