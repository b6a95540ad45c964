#pragma once

#include <QString>
#include <QtGlobal>

// One entry of the plug-in role table: one plug-in library offering one role. A library with
// several roles has one entry per role.
struct CPluginInfo {
    virtual ~CPluginInfo() = default;

    quint8 role = 0;     // role number: 1 to 9, or 15 (list calculation)
    quint8 roleByte = 0; // the declared role byte with its flag bits (role 15: the role 4 byte)
    QString name;        // display name from QBEX_Info
    QString file;        // file name of the library inside the plug-in folder
    QString version;     // version text of the library file ("???" when it has none)
    QString linkCaption; // role 9: caption of the plug-in's link on the record page
};
