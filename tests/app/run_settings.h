#pragma once
// Settings of a copy of the program for an unattended run: how it cleans and
// which folders it searches, written into the copy's settings file.
#include <string>

#include "config/config_document.h"

namespace apptest {

enum class CleanWay { Delete, Recycle, Move };

// Turns the way on and the other two off, sets the backup switch, and
// leaves the system's temporary folder out; the move's target is set when
// one is given.
void SetCleanWay(config::ConfigDocument& doc, CleanWay way, bool backup, const std::string& moveTarget = {});

// Adds the folder to the folders searched; false when it could not.
bool AddToSelection(config::ConfigDocument& doc, const std::string& folder);

}  // namespace apptest
