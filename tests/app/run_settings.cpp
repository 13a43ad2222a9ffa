#include "run_settings.h"

#include "platform/codepage.h"

namespace apptest {

void SetCleanWay(config::ConfigDocument& doc, CleanWay way, bool backup, const std::string& moveTarget) {
    doc.SetAttribute("/Config/Options/CleanOpt/Clean", "custom", way == CleanWay::Delete ? 1 : 0);
    doc.SetAttribute("/Config/Options/CleanOpt/MoveToRecycle", "custom", way == CleanWay::Recycle ? 1 : 0);
    doc.SetAttribute("/Config/Options/CleanOpt/MoveToFolder", "custom", way == CleanWay::Move ? 1 : 0);
    if (!moveTarget.empty()) doc.SetAttribute("/Config/Options/CleanOpt/MoveToFolderPath", "custom", moveTarget);
    doc.SetAttribute("/Config/Options/CleanOpt/Backup", "custom", backup ? 1 : 0);
    doc.SetAttribute("/Config/Options/AdvCleanOpt/CleanSysTempDir", "custom", 0);
}

bool AddToSelection(config::ConfigDocument& doc, const std::string& folder) {
    return doc.AppendElement(doc.SelectSingleNode("/Config/SelectDrive"), "PathItem", "",
                             {{L"name", platform::ToWide(folder)}});
}

}  // namespace apptest
