// The general helpers: text search and masks, folder locations and deletion, the
// launch and termination helpers and the identifier test. The rest of the code
// includes this one header; the code lives in text/, files/, removal/ and run/.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "platform/string_list.h"
#include "platform/types.h"

// ---- case-insensitive search (text/case_search.cpp) -------------------------------
// Positions are 1-based; 0 means not found.
inline constexpr int ANSICHARCOUNT = 256;
inline constexpr int ANSICASEMAPSIZE = 3 * ANSICHARCOUNT;
inline constexpr int ANSIUPOFFSET = ANSICHARCOUNT;
// Filled once, before any helper runs, from the platform's upper-casing.
extern char ANSICASEMAP[ANSICASEMAPSIZE];

void STRCASE(std::string& STR, int OFFSET);
void STRUPPERINPLACE(std::string& S);
std::string STRUPPER(const std::string& S);
int STRIPOS(const std::string& SUBSTR, const std::string& S);
int STRFIND(const std::string& SUBSTR, const std::string& S, int INDEX = 1);
std::string STRRESTOF(const std::string& S, int N);
std::string STRAFTER(const std::string& SUBSTR, const std::string& S);

// ---- tokens and wildcard masks (text/tokens.cpp, text/masks.cpp) -------------------
std::string STRTOKEN(std::string& S, char SEPARATOR);
void STRTOKENTOSTRINGS(std::string S, char SEPARATOR, StringList* LIST);
// Raises EJclStringError for an empty mask or an INDEX outside S.
bool STRMATCHES(const std::string& SUBSTR, const std::string& S, int INDEX = 1);
bool ISFILENAMEMATCH(std::string FILENAME, const std::string& MASK, bool CASESENSITIVE);

// ---- folder locations (files/folders.cpp) ----------------------------------------
std::string GETWINDOWSSYSTEMFOLDER();
std::string GETSPECIALFOLDERLOCATION(int FOLDER);
std::string PIDLTOPATH(platform::Handle IDLIST);
std::string GETCOMMONDESKTOPDIRECTORYFOLDER();
std::string GETSTARTUPFOLDER();
std::string GETCOMMONPROGRAMSFOLDER();
void STRRESETLENGTH(std::string& S);
std::string PATHADDSEPARATOR(const std::string& PATH);
std::string PATHREMOVESEPARATOR(const std::string& PATH);
// The removal's trailing-delimiter rule: "\" unless PATH ends with "\" or "/".
std::string INCLUDETRAILINGPATHDELIMITER(const std::string& PATH);

// ---- directory deletion (files/directory_deletion.cpp) ----------------------------
enum class TSHDELETEOPTION { DOSILENT, DOALLOWUNDO, DOFILESONLY };
using TSHDELETEOPTIONS = std::set<TSHDELETEOPTION>;
// Asked before each file is deleted; false skips the file and counts as a failure.
using TDELTREEPROGRESS = std::function<bool(const std::string& FILENAME, std::uint32_t ATTR)>;

std::uint32_t DELETEOPTIONSTOCARDINAL(const TSHDELETEOPTIONS& OPTIONS);
bool DELETEDIRECTORY(const std::string& DIRECTORYNAME, bool MOVETORECYCLEBIN);
bool SHDELETEFOLDER(platform::Handle PARENT, const std::string& FOLDER, TSHDELETEOPTIONS OPTIONS);
bool SHDELETEFILES(platform::Handle PARENT, const std::string& FILES, const TSHDELETEOPTIONS& OPTIONS);
bool DELTREE(const std::string& PATH);
bool DELTREEEX(const std::string& PATH, bool ABORTONFAILURE, const TDELTREEPROGRESS& PROGRESS);
bool BUILDFILELIST(const std::string& PATH, std::uint32_t ATTR, StringList& LIST,
                   bool INCLUDEDIRECTORYNAME);

// ---- program launch (removal/launch.cpp) -----------------------------------------
void RESETMEMORY(void* P, int SIZE);
const char* PCHARORNIL(const std::string& S);
// True when the program was started; its exit status goes to `exit_code` when asked
// for (259 while unknown: no process handle came back).
bool SHELLEXECANDWAIT(const std::string& FILENAME, const std::string& PARAMETERS,
                      const std::string& VERB, int CMDSHOW, const std::string& DIRECTORY,
                      std::uint32_t* exit_code = nullptr);

// ---- process control (removal/processes.cpp) -------------------------------------
bool PROCESSEXISTS(const std::string& EXEFILENAME);
int CLOSEPROCCESSUS(const std::string& PNAME);

// ---- identifier test (run/detection.cpp) -----------------------------------------
bool PROGIDEXISTS(const platform::WideString& PROGID);
