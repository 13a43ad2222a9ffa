#pragma once
// The applications tab: the application rules whose application is on this
// computer, grouped by application, each with a check box and what it would
// free now. The rules are found and measured on a worker thread when the
// page is first shown; the page stays usable meanwhile and shows how far
// the measuring is.
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "options/option_page.h"
#include "scan/app_folders.h"
#include "scan/app_survey.h"

namespace options {

class ApplicationsPage : public OptionPage {
public:
    // folders: the environment folders rules start from; the system's when
    // none are given.
    explicit ApplicationsPage(std::optional<scan::AppFolders> folders = std::nullopt);
    ~ApplicationsPage() override;

    // Custom: the ticked rules as stored; Default: none ticked.
    void LoadPage(config::ValueSet set) override;
    // Stores the ticked rules, and keeps ticked those the page does not
    // show now (their application is missing for the moment).
    bool SavePage() override;

    // The names of the ticked rules, shown or not.
    const std::vector<std::string>& CheckedNames() const { return checked_; }
    // The rules the survey listed, and whether every one is measured.
    const std::vector<scan::SurveyedRule>& Rules() const { return rules_; }
    bool Finished() const { return finished_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnSize(int width, int height) override;
    void OnDestroy() override;

private:
    struct Mailbox;

    void StartSurvey();
    void StopSurvey();
    void TakeMail();
    void ShowRules(std::vector<scan::SurveyedRule> rules, const scan::SurveyedFiles& files);
    void ShowSize(size_t index, const scan::RuleSize& size);
    void ShowStatus() const;
    void ShowChecks();
    void FitColumns() const;
    bool IsChecked(const std::string& name) const;
    void SetChecked(const std::string& name, bool checked);
    // The rule a row shows; -1 for an application's heading.
    int RuleOfRow(int row) const;

    std::optional<scan::AppFolders> folders_;
    std::shared_ptr<Mailbox> mailbox_;
    std::atomic<int> stop_{0};
    std::thread survey_;
    bool started_ = false;
    bool filling_ = false;  // the page changes rows itself: no user tick

    std::vector<scan::SurveyedRule> rules_;
    std::vector<std::optional<scan::RuleSize>> sizes_;
    std::vector<int> headings_;  // the row of each rule's application heading
    size_t measurable_ = 0;
    size_t measured_ = 0;
    bool listed_ = false;
    bool finished_ = false;
    std::vector<std::string> checked_;
};

}  // namespace options
