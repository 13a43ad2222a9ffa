#include "options/applications_page.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>

#include "config/job_requests.h"
#include "config/settings.h"
#include "options/options_ids.h"
#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/trace.h"
#include "platform/windows_version.h"
#include "scan/app_catalog.h"
#include "text/format_template.h"
#include "text/language_table.h"
#include "text/size_text.h"
#include "ui/list_view.h"

namespace options {

namespace {

// Posted by the survey when it left something in the mailbox.
constexpr UINT kSurveyNote = WM_APP + 20;

constexpr int kNameColumn = 0;
constexpr int kSizeColumn = 1;

constexpr ui::LayoutRule kLayout[] = {
    {IDC_PAGE_ICON, ui::kAnchorTopLeft},        {IDC_PAGE_INFO, ui::kAnchorTopWide},
    {IDC_APP_LIST, ui::kAnchorAll},             {IDC_APP_PROGRESS, ui::kAnchorBottomWide},
    {IDC_APP_STATUS, ui::kAnchorBottomWide},    {IDC_APP_FILES, ui::kAnchorBottomWide},
    {IDC_PAGE_DEFAULT, ui::kAnchorBottomRight},
};

const char* RefusalKey(scan::PlanRefusal refusal) {
    switch (refusal) {
        case scan::PlanRefusal::None: return nullptr;
        case scan::PlanRefusal::UnknownFolder: return "_appRefusedUnknown";
        case scan::PlanRefusal::Root: return "_appRefusedRoot";
        case scan::PlanRefusal::Base: return "_appRefusedBase";
        case scan::PlanRefusal::Guarded: return "_appRefusedGuarded";
        case scan::PlanRefusal::Link: return "_appRefusedLink";
    }
    return nullptr;
}

std::string FileText(const scan::SurveyedFiles& files) {
    std::string text;
    auto line = [&](const std::string& more) { text += (text.empty() ? "" : "\r\n") + more; };
    if (files.own == scan::FileRefusal::Missing) line(text::LookupText("_appOwnMissing"));
    if (files.own != scan::FileRefusal::None && files.own != scan::FileRefusal::Missing) {
        line(text::LookupText("_appOwnUnreadable"));
    }
    switch (files.community) {
        case scan::FileRefusal::Missing: line(text::LookupText("_appNoCommunity")); break;
        case scan::FileRefusal::TooLarge: line(text::LookupText("_appCommunityTooLarge")); break;
        case scan::FileRefusal::NotText: line(text::LookupText("_appCommunityNotText")); break;
        case scan::FileRefusal::Unreadable: line(text::LookupText("_appCommunityUnreadable")); break;
        case scan::FileRefusal::None:
            line(text::FormatTemplate(text::LookupText("_appCommunityRead"),
                                      {static_cast<uint64_t>(files.communityRules),
                                       static_cast<uint64_t>(files.communitySkipped),
                                       static_cast<uint64_t>(files.communityWithRegistryKeys)}));
            break;
    }
    return text;
}

}  // namespace

// What the survey hands the page: filled on the survey's thread, emptied on
// the page's. One note is posted for whatever piled up since the page last
// looked.
struct ApplicationsPage::Mailbox : scan::SurveySink {
    explicit Mailbox(HWND page) : page(page) {}

    void Listed(std::vector<scan::SurveyedRule> rules, scan::SurveyedFiles files) override {
        Deliver([&] { listed.emplace(std::move(rules), files); });
    }
    void Measured(size_t index, const scan::RuleSize& size) override {
        Deliver([&] { measured.emplace_back(index, size); });
    }
    void Finished() override {
        Deliver([&] { finished = true; });
    }

    template <typename Put>
    void Deliver(Put put) {
        bool post = false;
        {
            std::lock_guard<std::mutex> hold(lock);
            put();
            post = !notePending;
            notePending = true;
        }
        if (post) ::PostMessageA(page, kSurveyNote, 0, 0);
    }

    const HWND page;
    std::mutex lock;
    bool notePending = false;
    std::optional<std::pair<std::vector<scan::SurveyedRule>, scan::SurveyedFiles>> listed;
    std::vector<std::pair<size_t, scan::RuleSize>> measured;
    bool finished = false;
};

ApplicationsPage::ApplicationsPage(std::optional<scan::AppFolders> folders) : folders_(std::move(folders)) {}

ApplicationsPage::~ApplicationsPage() { StopSurvey(); }

bool ApplicationsPage::OnInit() {
    InitPage(kLayout);
    ui::ListView view(Item(IDC_APP_LIST));
    view.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    view.InsertColumn(kNameColumn, text::LookupText("_appColumnName"), 100);
    view.InsertColumn(kSizeColumn, text::LookupText("_appColumnSize"), 100, LVCFMT_RIGHT);
    FitColumns();
    mailbox_ = std::make_shared<Mailbox>(Hwnd());
    LoadPage(config::ValueSet::Custom);
    return false;
}

void ApplicationsPage::OnSize(int width, int height) {
    OptionPage::OnSize(width, height);
    FitColumns();
}

void ApplicationsPage::FitColumns() const {
    ui::ListView view(Item(IDC_APP_LIST));
    const int width = view.ClientWidth();
    view.SetColumnWidth(kNameColumn, width * 70 / 100);
    view.SetColumnWidth(kSizeColumn, width - width * 70 / 100);
}

void ApplicationsPage::OnDestroy() { StopSurvey(); }

void ApplicationsPage::StartSurvey() {
    if (started_) return;
    started_ = true;
    scan::SurveyRequest request;
    request.ownRulesPath = scan::OwnRulesPath();
    request.communityRulesPath = scan::CommunityRulesPath();
    request.folders = folders_ ? *folders_ : scan::AppFolders::OfSystem();
    request.windowsVersion = platform::WindowsVersion();
    for (const config::SkipFolder& folder : config::LoadSkipFolders(config::ValueSet::Custom)) {
        if (folder.checked) request.skipFolders.push_back(folder.folder);
    }
    request.switches = config::SearchSwitchesOf(config::LoadSearchOptions(config::ValueSet::Custom));
    ShowStatus();
    std::shared_ptr<Mailbox> mailbox = mailbox_;
    try {
        survey_ = std::thread([mailbox, request = std::move(request), &stop = stop_] {
            try {
                platform::ComApartment com;
                scan::SurveyApps(request, *mailbox, stop);
            } catch (...) {
                platform::TraceException("application survey");
            }
        });
    } catch (...) {
        platform::TraceException("application survey start");
    }
}

void ApplicationsPage::StopSurvey() {
    stop_ = 1;
    // The survey never waits for the page: it ends at its next file.
    if (survey_.joinable()) survey_.join();
}

void ApplicationsPage::TakeMail() {
    std::optional<std::pair<std::vector<scan::SurveyedRule>, scan::SurveyedFiles>> listed;
    std::vector<std::pair<size_t, scan::RuleSize>> measured;
    bool finished = false;
    {
        std::lock_guard<std::mutex> hold(mailbox_->lock);
        listed.swap(mailbox_->listed);
        measured.swap(mailbox_->measured);
        finished = mailbox_->finished;
        mailbox_->notePending = false;
    }
    if (listed) ShowRules(std::move(listed->first), listed->second);
    for (const auto& [index, size] : measured) ShowSize(index, size);
    if (finished && listed_) finished_ = true;
    ShowStatus();
}

int ApplicationsPage::RuleOfRow(int row) const {
    return static_cast<int>(ui::ListView(Item(IDC_APP_LIST)).Data(row)) - 1;
}

void ApplicationsPage::ShowRules(std::vector<scan::SurveyedRule> rules, const scan::SurveyedFiles& files) {
    rules_ = std::move(rules);
    sizes_.assign(rules_.size(), std::nullopt);
    headings_.assign(rules_.size(), -1);
    measurable_ = static_cast<size_t>(std::count_if(
        rules_.begin(), rules_.end(), [](const scan::SurveyedRule& r) { return r.refusal == scan::PlanRefusal::None; }));
    listed_ = true;
    SetItemText(IDC_APP_FILES, FileText(files).c_str());

    ui::ListView view(Item(IDC_APP_LIST));
    filling_ = true;
    view.DeleteAll();
    std::string group;
    int heading = -1;
    for (size_t i = 0; i < rules_.size(); ++i) {
        const scan::SurveyedRule& rule = rules_[i];
        if (i == 0 || platform::LowerAnsi(rule.application) != group) {
            group = platform::LowerAnsi(rule.application);
            // A heading: the application's name, without a check box.
            heading = view.InsertItem(view.Count(), rule.application, 0, 0);
            ListView_SetItemState(view.Hwnd(), heading, INDEXTOSTATEIMAGEMASK(0), LVIS_STATEIMAGEMASK);
        }
        headings_[i] = heading;
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_INDENT;
        item.iItem = view.Count();
        item.iIndent = 1;
        item.lParam = static_cast<LPARAM>(i + 1);
        std::string kind = rule.kind;
        item.pszText = kind.data();
        const int row = static_cast<int>(::SendMessageA(view.Hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) continue;
        if (const char* refused = RefusalKey(rule.refusal)) {
            ListView_SetItemState(view.Hwnd(), row, INDEXTOSTATEIMAGEMASK(0), LVIS_STATEIMAGEMASK);
            view.SetText(row, kSizeColumn, text::LookupText(refused));
        } else {
            view.SetChecked(row, IsChecked(rule.name));
        }
    }
    filling_ = false;
    // The rows may have brought a scroll bar, which narrows the list.
    FitColumns();
    ::SendMessageA(Item(IDC_APP_PROGRESS), PBM_SETRANGE32, 0, static_cast<LPARAM>(std::max<size_t>(measurable_, 1)));
}

void ApplicationsPage::ShowSize(size_t index, const scan::RuleSize& size) {
    if (index >= sizes_.size()) return;
    sizes_[index] = size;
    ++measured_;
    ::SendMessageA(Item(IDC_APP_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(measured_), 0);
    ui::ListView view(Item(IDC_APP_LIST));
    // The rows of its application follow its heading.
    const int heading = headings_[index];
    if (heading < 0) return;
    uint64_t groupBytes = 0;
    for (int row = heading + 1; row < view.Count() && RuleOfRow(row) >= 0; ++row) {
        const auto& measuredSize = sizes_[static_cast<size_t>(RuleOfRow(row))];
        if (!measuredSize) continue;
        groupBytes += measuredSize->bytes;
        if (static_cast<size_t>(RuleOfRow(row)) == index) view.SetText(row, kSizeColumn, text::FormatSize(size.bytes));
    }
    view.SetText(heading, kSizeColumn, text::FormatSize(groupBytes));
}

void ApplicationsPage::ShowStatus() const {
    std::string status;
    if (!listed_) {
        status = started_ ? text::LookupText("_appLooking") : std::string();
    } else if (rules_.empty()) {
        status = text::LookupText("_appNone");
    } else if (!finished_) {
        status = text::FormatTemplate(text::LookupText("_appMeasuring"),
                                      {static_cast<uint64_t>(measured_), static_cast<uint64_t>(measurable_)});
    } else {
        uint64_t ticked = 0;
        for (size_t i = 0; i < rules_.size(); ++i) {
            if (sizes_[i] && IsChecked(rules_[i].name)) ticked += sizes_[i]->bytes;
        }
        status = text::FormatTemplate(text::LookupText("_appMeasured"), {text::FormatSize(ticked)});
    }
    SetItemText(IDC_APP_STATUS, status.c_str());
    if (finished_) ::SendMessageA(Item(IDC_APP_PROGRESS), PBM_SETPOS, std::max<size_t>(measurable_, 1), 0);
}

bool ApplicationsPage::IsChecked(const std::string& name) const {
    const std::string lowered = platform::LowerAnsi(name);
    return std::any_of(checked_.begin(), checked_.end(),
                       [&](const std::string& n) { return platform::LowerAnsi(n) == lowered; });
}

void ApplicationsPage::SetChecked(const std::string& name, bool checked) {
    const std::string lowered = platform::LowerAnsi(name);
    std::erase_if(checked_, [&](const std::string& n) { return platform::LowerAnsi(n) == lowered; });
    if (checked) checked_.push_back(name);
}

void ApplicationsPage::ShowChecks() {
    ui::ListView view(Item(IDC_APP_LIST));
    filling_ = true;
    for (int row = 0; row < view.Count(); ++row) {
        const int rule = RuleOfRow(row);
        if (rule < 0 || rules_[static_cast<size_t>(rule)].refusal != scan::PlanRefusal::None) continue;
        view.SetChecked(row, IsChecked(rules_[static_cast<size_t>(rule)].name));
    }
    filling_ = false;
}

void ApplicationsPage::LoadPage(config::ValueSet set) {
    checked_ = config::LoadCheckedRules(set);
    ShowChecks();
    ShowStatus();
}

bool ApplicationsPage::SavePage() { return config::SaveCheckedRules(checked_); }

bool ApplicationsPage::OnCommand(int id, int code, HWND) {
    if (id != IDC_PAGE_DEFAULT || code != BN_CLICKED) return false;
    LoadPage(config::ValueSet::Default);
    return true;
}

bool ApplicationsPage::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_APP_LIST || filling_) return false;
    if (header.code != LVN_ITEMCHANGING && header.code != LVN_ITEMCHANGED) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0) {
        return false;
    }
    const int rule = static_cast<int>(change.lParam) - 1;
    const bool fixed = rule < 0 || rules_[static_cast<size_t>(rule)].refusal != scan::PlanRefusal::None;
    if (header.code == LVN_ITEMCHANGING) {
        // Headings and refused rules have no check box to tick.
        result = fixed ? TRUE : FALSE;
        return true;
    }
    if (fixed) return false;
    SetChecked(rules_[static_cast<size_t>(rule)].name, (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2));
    ShowStatus();
    return true;
}

bool ApplicationsPage::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_SHOWWINDOW && wParam) StartSurvey();
    if (message == kSurveyNote) {
        TakeMail();
        return true;
    }
    return false;
}

}  // namespace options
