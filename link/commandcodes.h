#pragma once

// The indicator's command register and the two-byte codes written to it: a "load" code before a
// block is read, a "store" code after a block has been written, host mode on and off around a
// transfer of several blocks.
constexpr int CommandRegister = 19;

constexpr int CmdLoadSetpoint = 1;
constexpr int CmdStoreSetpoint = 2;
constexpr int CmdLoadHeader = 3;
constexpr int CmdStoreHeader = 4;
constexpr int CmdLoadClock = 5;
constexpr int CmdStoreClock = 6;
constexpr int CmdLoadConfiguration = 7;
constexpr int CmdStoreConfigNrm = 8;
constexpr int CmdStoreConfigJmp = 9;
constexpr int CmdLoadIdRecord = 10;
constexpr int CmdStoreIdRecord = 11;
constexpr int CmdLoadCalibration = 12;
constexpr int CmdStoreCalibration = 13;
constexpr int CmdLoadIdHeader = 15;
constexpr int CmdStoreIdHeader = 16;
constexpr int CmdHostModeOn = 19;
constexpr int CmdHostModeOff = 20;
constexpr int CmdStoreEpl = 21;
