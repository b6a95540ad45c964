#pragma once

#include "CGeoRecord.h"

#include <vector>

// Records with every field a GPX file can carry: markup characters, non-ASCII text, several
// lines, logs, travel bugs, images, user fields, additional waypoints.
std::vector<CGeoRecord> SampleRecords();

// Compares two records field by field (log dates by their ISO date).
void ExpectSameRecord(const CGeoRecord& actual, const CGeoRecord& expected);
