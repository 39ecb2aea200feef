#pragma once

#include <QStringView>

// The reply keywords the console acts on and the codes they travel with.
enum ReplyCode : int {
    RC_None = 0,
    RC_clcount = 1,
    RC_cladd = 2,
    RC_cldel = 3,
    RC_block = 4,
    RC_getfile = 5,
    RC_getfilemode = 6,
    RC_getdostats = 7,
    RC_setfile = 8,
    RC_getport = 9,
    RC_getudpport = 10,
    RC_getfilestats = 11,
    RC_getlogsize = 12,
    RC_getdobackup = 13,
    RC_getbackupcount = 14,
    RC_getdefwrite = 15,
    RC_getdefconfig = 16,
    RC_start = 17,
    RC_stop = 18,
    RC_getfileupdate = 19,
    RC_getdolog = 20,
    RC_getver = 21,
    RC_gettcpok = 22,
    RC_compatible = 23,
    RC_notcompatible = 24,
    RC_ncclient = 25,
    RC_stats = 26,
    RC_getpass = 27,
    RC_getpassmode = 28,
    RC_getip = 29,
    RC_addlog = 30,
    RC_getlogpath = 31,
    RC_getconfigpath = 32,
    RC_configerr = 33,
};

// Code of a keyword, ASCII letters compared without case; RC_None when unknown.
ReplyCode replyCodeOf(QStringView keyword);
// The lower-case keyword of a code; empty for RC_None.
const char* replyKeyword(ReplyCode code);
