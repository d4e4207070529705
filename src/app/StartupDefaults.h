#pragma once
// The start-up defaults that the front ends set before the configuration file is read. The main
// window applies them in this order: ApplyCreationDefaults when it is created; at load
// ApplyGasTableDefaults, InitWindowDefaults, ApplyLinkDefaults, then ReadConfiguration.
// ApplyStartupDefaults runs the same sequence for a front end without windows.
#include <array>

#include "app/modMain.h"

namespace tz {

// True when the message catalogue is the English one (message 101 is "EN").
bool IsEnglishCatalogue();

// "COMM SETTINGS" becomes "921600,n,8,1".
void ApplyCreationDefaults(ProgramState& state);

// The six factory auto-calibration concentrations become "not set" (-101); entries 1 to 8 of every
// gas table channel are emptied and the built-in gases are entered.
void ApplyGasTableDefaults(ProgramState& state);

// The settings part of the main window's start-up defaults: conversion factor, calibration
// concentrations, the default gases of DefaultRecord, the password when empty (by language),
// print widths, calibration waits, "COMPLETELY VIEW", the A/D check ranges.
void InitWindowDefaults(ProgramState& state, bool english);
void InitWindowDefaults(ProgramState& state);  // language from the catalogue

// "TIMEOUT" and "RETRY" become 3; "TREND SEARCH" becomes -30 and 45.
void ApplyLinkDefaults(ProgramState& state);

// The A/D check ranges as the program starts with them, in row order.
std::array<AdCheckRange, AdCheckRows> DefaultAdCheckRanges();
void SetAdCheckDefaults(ProgramState& state);

// Whenever the main window shows a record: each channel's auto-calibration concentration
// (FactoryAutoCalib) becomes the record's AutoCalib, or DefaultRecord's where the record's is -101.
void TakeAutoCalConcentrations(ProgramState& state);

// ApplyCreationDefaults, ApplyGasTableDefaults, InitWindowDefaults and ApplyLinkDefaults in turn.
void ApplyStartupDefaults(ProgramState& state, bool english);

}  // namespace tz
