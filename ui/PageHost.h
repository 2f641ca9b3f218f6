#pragma once
// The one interface through which steps show wizard pages. A page answers with its end code
// (1 Next, 3 Back, 2 Cancel) and whatever the user entered; step logic maps those to step
// results. Tests install a scripted host; the default host shows the real dialogs.
#include <string>
#include <vector>

#include "engine/StepResult.h"

class CFeature;
class CTarget;

// The add/remove page answers which way the run goes instead of Next/Back.
constexpr int kAddRemoveInstall = 0;
constexpr int kAddRemoveUninstall = 1;
constexpr int kAddRemoveCancel = 2;

// How the question page ended and, after Next or Back, which answer was chosen.
struct QuestionEnd {
  int endCode = kEndCancel;  // 1 Next, 3 Back, 2 Cancel
  bool answered = false;     // Next or Back carried an answer
  bool yes = false;
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
};

class PageHost {
 public:
  virtual ~PageHost() = default;

  // The message page: two text blocks; mask bit 1 disables Back, bit 2 disables Next.
  virtual int MessagePage(const std::string& caption, const std::string& text1, const std::string& text2,
                          int buttonMask) = 0;

  // The question page (template 2011), started on Yes or No; bit 4 of the mask disables Cancel.
  virtual QuestionEnd QuestionPage(const std::string& caption, const std::string& text1, const std::string& text2,
                                   const std::string& yesText, const std::string& noText, bool startOnYes,
                                   int buttonMask) = 0;

  // The user name and password page; the texts are edited in place.
  virtual int UserPasswordPage(const std::string& caption, const std::string& prompt,
                               const std::string& userLabel, const std::string& passwordLabel,
                               std::string& user, std::string& password) = 0;

  // The dependency error page: the text's lines are listed; group 0 can only go Back or Cancel.
  virtual int DependencyErrorPage(const std::string& title, const std::string& text, int group) = 0;

  // The computer configuration type page: one button per offered setup type ID (at most
  // four, in order). A click ends with Next and names the type in `chosen`.
  virtual int SetupTypePage(const std::vector<std::string>& offeredTypes, std::string& chosen) = 0;

  // The single target page for one target of the model; its Browse picks a folder that
  // AcceptChosenFolder lets through and hands it to ChangeTargetPath.
  virtual int TargetPage(CTarget& target) = 0;

  // The directory browser (REBrowseForFolder): `path` holds the starting folder and receives the
  // chosen one; true when the user chose a folder other than the starting one (case ignored).
  virtual bool BrowseForFolder(const std::string& title, std::string& path) = 0;

  // The target locations page of one feature: OK (1) keeps what Modify changed, Cancel (2)
  // gives the targets back as they were when the page opened.
  virtual int TargetLocationsPage(CFeature& feature) = 0;

  // The feature selection page on the children of `root`. Its Next runs
  // FeatureSelectionNextAllowed before it ends.
  virtual int FeatureSelectionPage(CFeature& root) = 0;

  // The program folder page: `folder` holds the current name and receives the edited text.
  // `existingFolders` are the folders of the Start menu. Its Next runs FolderNextAllowed.
  virtual int FolderPage(const std::vector<std::string>& existingFolders, std::string& folder) = 0;

  // The framework server pages A to D of one walk. `products` is the installed-products list.
  virtual int ServerPageA(ServerPageAAnswer& answer) = 0;
  virtual int ServerPageB(const std::string& products, bool& active) = 0;
  virtual int ServerPageC(const std::string& nexoLibrary, std::string& serverName, bool& advancedUsed) = 0;
  virtual int ServerPageD(const std::vector<std::string>& products) = 0;

  virtual int WelcomePage(const std::string& welcomeText) = 0;
  // Answers kAddRemoveInstall, kAddRemoveUninstall or kAddRemoveCancel.
  virtual int AddRemovePage() = 0;
  virtual int LicensePage(const std::vector<std::string>& agreementLines) = 0;
  // The summary list; `forceCoreComponents` receives the state of the check box.
  virtual int SummaryPage(const std::vector<std::string>& lines, bool& forceCoreComponents) = 0;
  // The completion page: with `restartOffered` the restart page, whose choice lands in
  // `restartNow`; `suiteName` names the suite on the plain one.
  virtual int FinalPage(const std::string& suiteName, bool restartOffered, bool& restartNow) = 0;
};

// The host in force.
PageHost& Pages();
// Installs a host (tests, or the dialog host); nullptr restores the default.
void SetPageHost(PageHost* host);
