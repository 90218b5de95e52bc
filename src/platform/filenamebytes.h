#ifndef ZT_PLATFORM_FILENAMEBYTES_H
#define ZT_PLATFORM_FILENAMEBYTES_H

namespace ztplatform {

// File names reach the system as the bytes they were read as. A name that is
// not UTF-8 (a folder made on another system, say) keeps each byte that is
// not part of a UTF-8 character as the lone surrogate U+DC80 + (byte - 0x80)
// through QFile::decodeName and QFile::encodeName, and so through everything
// Qt names files with: folder listings, file dialogs, QFile, QFileInfo,
// QProcess arguments. UTF-8 names read as before. Called once at the start,
// before any name is read, where the locale's codec is UTF-8 (a one-byte
// locale keeps every byte already); later calls change nothing.
void keepFileNameBytes();

} // namespace ztplatform

#endif
