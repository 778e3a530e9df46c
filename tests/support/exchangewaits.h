#pragma once

#include "sim/simindicator.h"

#include <QString>
#include <QStringList>

#include <functional>

class WindowFixture;

// Writing down what an exchange sends and waits, in virtual time, so that a test can hold every
// wait of it: the frames the indicator received, each followed by the waits asked for before the
// next one ("r" the reading time, others in seconds).

// A frame as the indicator understood it: "cmd N" for a code to the command register, "W<register>/
// <bytes>" for a write, "R<register>/<bytes>" for a read. A frame the indicator could not take
// (wrong checksum or address, not a frame) and a write carrying other than the bytes it announces
// say so.
QString describe(const SimIndicator::Frame& f);

// The block n times over.
QStringList times(const QStringList& block, int n);

// A frame followed by its waits, e.g. step("R149/2", "0.3 r").
QStringList step(const QString& frame, const QString& waits);
// The same waits after each of the frames.
QStringList steps(const QStringList& frames, const QString& waits);

using FrameName = std::function<QString(const SimIndicator::Frame&)>;

// Runs `action` on a clean frame log and gives what the indicator received, in order, with the
// waits asked for in between. A wait equal to the session's reading time is written "r".
QStringList framesAndWaits(WindowFixture& f, const std::function<void()>& action, const FrameName& name = describe);
