#include "ui/windows/PromptPages.h"

#include "engine/Text.h"
#include "ui/MessageSteps.h"
#include "ui/PageHost.h"
#include "ui/resources/PageResource.h"
#include "ui/windows/ListBoxFill.h"

namespace {
constexpr int kRestrictedGroup = 0;
}  // namespace

CMessageDlg::CMessageDlg(std::string caption, std::string text1, std::string text2, int buttonMask)
    : caption_(std::move(caption)), text1_(std::move(text1)), text2_(std::move(text2)), buttonMask_(buttonMask) {}

void CMessageDlg::OnInit() {
  SetWindowTextA(Window(), caption_.c_str());
  SetText(IDC_TEXT1, text1_);
  SetText(IDC_TEXT2, text2_);
  PageButtons buttons = MessagePageButtons(buttonMask_);
  Enable(IDC_BACK, buttons.back);
  Enable(IDOK, buttons.next);
  Enable(IDCANCEL, buttons.cancel);
}

CAskYesNoDlg::CAskYesNoDlg(std::string caption, std::string text1, std::string text2, std::string yesText,
                           std::string noText, bool startOnYes, int buttonMask)
    : caption_(std::move(caption)),
      text1_(std::move(text1)),
      text2_(std::move(text2)),
      yesText_(std::move(yesText)),
      noText_(std::move(noText)),
      yes_(startOnYes),
      buttonMask_(buttonMask) {}

void CAskYesNoDlg::OnInit() {
  SetWindowTextA(Window(), caption_.c_str());
  SetText(IDC_TEXT1, text1_);
  SetText(IDC_TEXT2, text2_);
  SetText(IDC_YES_RADIO, yesText_);
  SetText(IDC_NO_RADIO, noText_);
  Check(IDC_YES_RADIO, yes_);
  Check(IDC_NO_RADIO, !yes_);
  PageButtons buttons = QuestionPageButtons(buttonMask_);
  Enable(IDC_BACK, buttons.back);
  Enable(IDOK, buttons.next);
  Enable(IDCANCEL, buttons.cancel);
}

void CAskYesNoDlg::OnLeave() { yes_ = Checked(IDC_YES_RADIO); }

int CAskYesNoDlg::EndCodeFor(int frameEnd) { return CombinedQuestionCode(Checked(IDC_YES_RADIO), frameEnd); }

CUserPassDlg::CUserPassDlg(std::string caption, std::string prompt, std::string userLabel, std::string passwordLabel,
                           std::string user, std::string password)
    : caption_(std::move(caption)),
      prompt_(std::move(prompt)),
      userLabel_(std::move(userLabel)),
      passwordLabel_(std::move(passwordLabel)),
      user_(std::move(user)),
      password_(std::move(password)) {}

void CUserPassDlg::OnInit() {
  SetWindowTextA(Window(), caption_.c_str());
  SetText(IDC_MAIN_TEXT, prompt_);
  // The template's own labels stand when the caller gives none.
  if (!userLabel_.empty()) SetText(IDC_USER_LABEL, userLabel_);
  if (!passwordLabel_.empty()) SetText(IDC_PASSWORD_LABEL, passwordLabel_);
  for (int edit : {IDC_USER_EDIT, IDC_PASSWORD_EDIT})
    SendMessageA(Item(edit), EM_LIMITTEXT, kAccountTextSize - 1, 0);
  SetText(IDC_USER_EDIT, user_.substr(0, kAccountTextSize - 1));
  SetText(IDC_PASSWORD_EDIT, password_.substr(0, kAccountTextSize - 1));
}

void CUserPassDlg::OnLeave() {
  user_ = Text(IDC_USER_EDIT);
  password_ = Text(IDC_PASSWORD_EDIT);
}

CDependencyErrorDlg::CDependencyErrorDlg(std::string title, std::string text, int group)
    : title_(std::move(title)), text_(std::move(text)), group_(group) {}

void CDependencyErrorDlg::OnInit() {
  SetWindowTextA(Window(), title_.c_str());
  std::vector<std::string> lines;
  FieldReader reader(text_, '\n');
  while (!reader.AtEnd()) lines.push_back(reader.Next());
  // The report ends every error with a line feed; no empty entry follows the last one.
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  FillListBox(Item(IDC_LIST), lines);
  Check(IDC_NO_RADIO, true);
  Enable(IDOK, false);
  if (group_ == kRestrictedGroup) {
    Show(IDC_YES_RADIO, false);
    Show(IDC_NO_RADIO, false);
    SetText(IDC_QUESTION_TEXT, "You must change your selections.");
  }
}

bool CDependencyErrorDlg::OnPageCommand(int id, int notification) {
  if ((id != IDC_YES_RADIO && id != IDC_NO_RADIO) || notification != BN_CLICKED) return false;
  if (group_ != kRestrictedGroup) Enable(IDOK, Checked(IDC_YES_RADIO));
  return true;
}

int CDependencyErrorDlg::EndCodeFor(int frameEnd) {
  return frameEnd == kEndNext && Checked(IDC_YES_RADIO) ? kEndNext : kEndBack;
}
