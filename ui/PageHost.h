#pragma once
// The one interface through which steps show wizard pages. A page answers how it ended (Next,
// Back or Cancel) and whatever the user entered; step logic maps those to step results. Tests
// install a scripted host; the default host shows the real dialogs.
#include <string>
#include <vector>

#include "engine/StepResult.h"

class CFeature;
class CTarget;

// The add/remove page answers which way the run goes instead of Next/Back; the values are the
// answers of its exported step.
enum class AddRemoveChoice {
  Install = TS_UNINSTALL_CHECK_INSTALL,
  Uninstall = TS_UNINSTALL_CHECK_UNINSTALL,
  Cancel = TS_UNINSTALL_CHECK_CANCEL
};

// The three choices of the first framework server page.
enum class ServerOption { UseNamedServer = 1, SelectLater = 2, NoServer = 3 };

// What the first framework server page shows and answers.
struct ServerPageAAnswer {
  ServerOption option = ServerOption::UseNamedServer;
  std::string serverName;
  bool advancedUsed = false;
  // The NEXO Library behind the Advanced button; empty hides the button.
  std::string nexoLibrary;
  // The installed products whose way of running a changed choice would change.
  std::string products;
};

// What a page answers besides its end: what the user entered, valid after Next or Back.
struct AccountAnswer {
  PageEnd end = PageEnd::Cancel;
  std::string user, password;
};
struct SetupTypeAnswer {
  PageEnd end = PageEnd::Cancel;
  std::string chosen;  // the type ID clicked
};
struct FolderAnswer {
  PageEnd end = PageEnd::Cancel;
  std::string folder;
};
struct ServerPageBAnswer {
  PageEnd end = PageEnd::Cancel;
  bool active = false;
};
struct ServerPageCAnswer {
  PageEnd end = PageEnd::Cancel;
  std::string serverName;
  bool advancedUsed = false;
};
struct SummaryAnswer {
  PageEnd end = PageEnd::Cancel;
  bool forceCoreComponents = false;  // the state of the check box
};
struct FinalAnswer {
  PageEnd end = PageEnd::Cancel;
  bool restartNow = false;
};

// Every page is pure virtual, so a host that forgets one does not compile.
class PageHost {
 public:
  virtual ~PageHost() = default;

  // The message page: two text blocks; mask bit 1 disables Back, bit 2 disables Next.
  virtual PageEnd MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                              int buttonMask) = 0;

  // The question page (template 2011), started on Yes or No; bit 4 of the mask disables Cancel.
  virtual QuestionEnd QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                                   const std::string& yesText, const std::string& noText, bool startOnYes,
                                   int buttonMask) = 0;

  // The user name and password page, opened with `user` and `password`.
  virtual AccountAnswer UserPasswordPage(const std::string& caption, const std::string& prompt,
                                         const std::string& userLabel, const std::string& passwordLabel,
                                         const std::string& user, const std::string& password) = 0;

  // The dependency error page: the text's lines are listed; group 0 can only go Back or Cancel.
  virtual PageEnd DependencyErrorPage(const std::string& title, const std::string& text, int group) = 0;

  // The computer configuration type page: one button per offered setup type ID (at most
  // four, in order). A click ends with Next and names the type.
  virtual SetupTypeAnswer SetupTypePage(const std::vector<std::string>& offeredTypes) = 0;

  // The single target page for one target of the model; its Browse picks a folder that
  // ChosenFolderVerdict lets through and hands it to ChangeTargetPath.
  virtual PageEnd TargetPage(CTarget& target) = 0;

  // The directory browser (REBrowseForFolder): `path` holds the starting folder and receives the
  // chosen one; true when the user chose a folder other than the starting one (case ignored).
  virtual bool BrowseForFolder(const std::string& title, std::string& path) = 0;

  // The target locations page of one feature: OK (Next) keeps what Modify changed, Cancel
  // gives the targets back as they were when the page opened.
  virtual PageEnd TargetLocationsPage(CFeature& feature) = 0;

  // The feature selection page on the children of `root`. Its Next runs
  // FeatureSelectionNextAllowed before it ends.
  virtual PageEnd FeatureSelectionPage(CFeature& root) = 0;

  // The program folder page opened on `folder`; `existingFolders` are the folders of the Start
  // menu. Its Next checks ProgramFolderVerdict.
  virtual FolderAnswer FolderPage(const std::vector<std::string>& existingFolders, const std::string& folder) = 0;

  // The framework server pages A to D of one walk. Page A edits `answer` in place; its Next runs
  // ServerPageANextAllowed.
  virtual PageEnd ServerPageA(ServerPageAAnswer& answer) = 0;
  // `products` is the installed-products list.
  virtual ServerPageBAnswer ServerPageB(const std::string& products, bool active) = 0;
  virtual ServerPageCAnswer ServerPageC(const std::string& nexoLibrary, const std::string& serverName,
                                        bool advancedUsed) = 0;
  virtual PageEnd ServerPageD(const std::vector<std::string>& products) = 0;

  virtual PageEnd WelcomePage(const std::string& welcomeText) = 0;
  virtual AddRemoveChoice AddRemovePage() = 0;
  virtual PageEnd LicensePage(const std::vector<std::string>& agreementLines) = 0;
  virtual SummaryAnswer SummaryPage(const std::vector<std::string>& lines) = 0;
  // The completion page: with `restartOffered` the restart page, whose choice is answered;
  // `suiteName` names the suite on the plain one.
  virtual FinalAnswer FinalPage(const std::string& suiteName, bool restartOffered) = 0;
};

// The host in force.
PageHost& Pages();
// Installs a host (tests, or the dialog host); nullptr restores the default.
void SetPageHost(PageHost* host);
