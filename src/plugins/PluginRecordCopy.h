#pragma once

#include "qbex.h"

#include <QString>

class CCacheRecord;

// Field-by-field copies between the host's records and the plug-ins' record structures. The
// structure's `version` decides which fields cross: nothing past QBEX_RECORD_SIZE(version) is read
// or written, so a plug-in may hand over a block of exactly the size of its version.

// The version whose fields may be touched in a structure that says `version`: 0 (no field but
// `version` itself) below 1, and 3 above 3, since a later structure begins with the fields of 3.
int PluginRecordFields(qint32 version);

// The text of a string field; NULL is the empty text.
QString FromQbexStr(qbex_str value);
// Replaces a string field by `text`, releasing its old text; false (field unchanged) when memory
// ran out.
bool AssignQbexStr(qbex_str* field, const QString& text);

// Copies the plug-in's record into the host record, for the fields of `from->version`; the host
// record's `version` becomes that version. Without `merge` every field is taken from the plug-in.
// With `merge` the host record keeps its log type, hunt times and log notes, and its flags become
// its own flags without bits 0x1 and 0x8, combined with the plug-in's flags.
void CopyFromPluginRecord(const QBEX_RECORD* from, CCacheRecord& to, bool merge);

// Copies the host record into the plug-in's structure, every field that `to->version` has
// (`version` itself is kept). False when memory ran out; the structure then holds a mix.
bool CopyToPluginRecord(const CCacheRecord& from, QBEX_RECORD* to);
