// Which processor a module file was built for, read from its PE header: the host tells a user
// who put a plug-in of the other bitness into its folder what is wrong, in words.
#ifndef REFHOST_MODULE_BITNESS_H
#define REFHOST_MODULE_BITNESS_H

#include <string>

// 32 or 64 for an x86 or x64 module file, 0 when the file is neither or cannot be read.
int ModuleBitness(const std::wstring &path);

// The bitness of this host process.
inline int HostBitness(void) { return static_cast<int>(sizeof(void *)) * 8; }

#endif
