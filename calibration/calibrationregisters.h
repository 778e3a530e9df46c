#pragma once

// Registers of the indicator that the calibration page reads and writes (two bytes each, high
// byte first), and the texts of its own messages.

inline constexpr int DisplayValueRegister = 0;
inline constexpr int StatusWordRegister = 2;
inline constexpr int CompareValueRegister = 3;
inline constexpr int StatusValue3Register = 5;
inline constexpr int StatusAuxRegister = 8;
inline constexpr int StatusValue4Register = 11;
inline constexpr int StatusValue5Register = 13;
inline constexpr int StatusValue6Register = 15;
inline constexpr int SpanWeightRegister = 20;
inline constexpr int CalibrationStepRegister = 22;
inline constexpr int CalibrationStatusRegister = 23;
inline constexpr int AnalogCalibrationRegister = 24;
inline constexpr int HardwareStatusRegister = 25;
inline constexpr int RangeRecordRegister = 128; // range mode, then range 1 and range 2 codes
inline constexpr int Range1CodeRegister = 129;
inline constexpr int Range2CodeRegister = 130;
inline constexpr int CalGravity1Register = 144;
inline constexpr int CalGravity2Register = 146;
inline constexpr int ConfigChunk1Register = 149;
inline constexpr int ConfigChunk1TailRegister = 150;
inline constexpr int AnalogOutputTypeRegister = 195;

// Calibration step codes (register 22).
inline constexpr int CalStepBegin = 1;
inline constexpr int CalStepFinish = 2;
inline constexpr int CalStepZero = 3;
inline constexpr int CalStepSpan = 4;

// Elements of the extra texts that only the calibration page shows.
inline constexpr int SetupNotInTableText = 46; // the range set-up could not be read or looked up
inline constexpr int SetupNotReadText = 47;    // the upload's pieces were not read in this connection
inline constexpr int SpanDecimalsText = 48;    // a span weight finer than the division
inline constexpr int SpanNotANumberText = 49;  // a span weight that is not a number

// Number shown by the set-up reading's failure box when an answer held too little.
inline constexpr int ShortAnswerFailure = 5;
