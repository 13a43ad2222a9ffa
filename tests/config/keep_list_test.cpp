// The keep list and the age rule of backup sets in real settings files: the
// shipped one, one written before either existed, and hand-edited entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "support/scratch.h"

namespace {

using config::CleanOptions;
using config::KeptEntry;
using config::ValueSet;

// A settings file as an earlier JunkSweep installed it: no keep list, no
// age rule.
const char kEarlierSettings[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Config>
	<Options>
		<SkipFolders>
			<default/>
			<items/>
		</SkipFolders>
		<CleanOpt>
			<Clean default="0" custom="0"/>
			<MoveToRecycle default="1" custom="1"/>
			<MoveToFolder default="0" custom="0"/>
			<MoveToFolderPath default="" custom=""/>
			<Backup default="1" custom="1"/>
		</CleanOpt>
	</Options>
</Config>
)";

TEST(KeepListSettings, EntriesAndTheAgeRuleSurviveARestart) {
    const struct {
        const char* name;
        bool shipped;
    } files[] = {{"shipped", true}, {"earlier", false}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        testsupport::ProgramPlace place(f.name);
        if (f.shipped) {
            place.CopyShipped("JunkSweep.xml");
        } else {
            place.WriteSettings(kEarlierSettings);
        }
        // Factory: the rule off, 30 days suggested (an earlier file has no
        // days at all, which reads as the suggestion).
        CleanOptions factory = config::LoadCleanOptions(ValueSet::Default);
        EXPECT_EQ(factory.removeOldSets, 0);
        EXPECT_EQ(config::SoundSetAgeDays(factory.setAgeDays), 30);
        EXPECT_TRUE(config::LoadKeepList(ValueSet::Custom).empty());

        config::AddToKeepList({"D:\\Work\\report.tmp", false});
        config::AddToKeepList({"d:\\work\\REPORT.TMP", false});  // the same file
        config::AddToKeepList({"D:\\Work\\report.tmp", true});   // a folder of that name is another entry
        config::AddToKeepList({"D:\\Build\\", true});
        CleanOptions user = config::LoadCleanOptions(ValueSet::Custom);
        user.removeOldSets = 1;
        user.setAgeDays = 45;
        config::SaveCleanOptions(user);

        // Every accessor reads the file anew, as the next run of the program does.
        const std::vector<KeptEntry> kept = {
            {"D:\\Work\\report.tmp", false}, {"D:\\Work\\report.tmp", true}, {"D:\\Build\\", true}};
        EXPECT_EQ(config::LoadKeepList(ValueSet::Custom), kept);
        EXPECT_TRUE(config::LoadKeepList(ValueSet::Default).empty());
        EXPECT_EQ(config::LoadCleanOptions(ValueSet::Custom), user);
        EXPECT_EQ(config::LoadCleanOptions(ValueSet::Default).removeOldSets, 0);

        config::SaveKeepList({kept[2]});
        EXPECT_EQ(config::LoadKeepList(ValueSet::Custom), std::vector<KeptEntry>{kept[2]});
        // The rest of the file is as it was.
        EXPECT_EQ(config::LoadCleanOptions(ValueSet::Custom).moveToRecycle, 1);
    }
}

TEST(KeepListSettings, HandEditedEntriesReadSoundly) {
    testsupport::ProgramPlace place("keephand");
    place.WriteSettings(R"(<?xml version="1.0"?>
<Config><Options><KeepList><items>
  <!-- kept by hand -->
  <item file="d:\a.tmp"/>
  <item folder="d:\b"/>
  <item/>
  <item file=""/>
  <item file="d:\c.tmp" folder="d:\c"/>
</items></KeepList>
<CleanOpt><RemoveOldBackups default="0" custom="1" days="99999"/></CleanOpt></Options></Config>)");
    EXPECT_EQ(config::LoadKeepList(ValueSet::Custom),
              (std::vector<KeptEntry>{{"d:\\a.tmp", false}, {"d:\\b", true}, {"d:\\c.tmp", false}}));
    const CleanOptions options = config::LoadCleanOptions(ValueSet::Custom);
    EXPECT_EQ(options.removeOldSets, 1);
    EXPECT_EQ(config::SoundSetAgeDays(options.setAgeDays), 30);
    for (int days : {1, 3650}) EXPECT_EQ(config::SoundSetAgeDays(days), days);
    for (int days : {0, -5, 3651}) EXPECT_EQ(config::SoundSetAgeDays(days), 30);
}

}  // namespace
