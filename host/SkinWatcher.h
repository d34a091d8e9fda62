// Follows a skin folder that an author edits (the Config folder of a skin:
// the skin file and its image folder) for the live preview: notices when any
// file in it is added, removed or saved anew, and copies the folder over the
// Config folder beside the module, which is the one the module reads. The
// host polls it from a timer in its message loop, so the module itself needs
// no timer and no thread.
#pragma once
#include <string>

class SkinWatcher
{
public:
    SkinWatcher(const std::wstring& source, const std::wstring& target) : m_source(source), m_target(target) {}

    // True once a change has settled: the folder differs from the last copy
    // and has not changed since the previous poll (an editor may still be
    // writing on the first poll that sees a change).
    bool PollSettledChange();

    // Copies every file of the source folder into the target folder,
    // replacing what is there; false with a message when a file cannot be copied.
    bool CopyToTarget(std::wstring& error);

private:
    // Names, sizes and write times of every file below the source folder.
    std::wstring Signature() const;

    std::wstring m_source;
    std::wstring m_target;
    std::wstring m_copied;  // signature of the last copy
    std::wstring m_pending; // signature seen at the previous poll
};
