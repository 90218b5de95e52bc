#ifndef ZT_KITFILE_SETUPERRORS_H
#define ZT_KITFILE_SETUPERRORS_H

// Why reading a kit file or gathering the sounds of a save stopped. The
// window turns each into the message the user sees.

#include <QString>

namespace setupfiles {

enum class LoadError {
    None,
    TooLarge,      // the file is larger than 4 GiB
    CannotOpen,    // the file does not open for reading
    DataError,     // index, global, kit or sound table unreadable, cut short or impossible
    OldLayout,     // a single-kit file of an old layout
    SoundOpen,     // the file does not open while its sounds are checked
    SoundFormat,   // a sound's data does not begin with "RIFF" or lies past the end of the file
    TooManySounds, // the sounds would take numbers above 9,999
};

struct CollectError
{
    enum Kind {
        None,
        RawFailed,      // a plain sound was not converted (told by the conversion), or no temporary folder
        ClickCount,     // the metronome list does not hold five sounds
        ClickNotLoaded, // a stored metronome sound's kit file is not loaded
        EntryMissing,   // a stored sound names no entry of its loaded kit file
        NotLoadedWhole, // a whole-setup source whose kit file is not loaded
        NotLoadedKit,   // a kit-file source whose kit file is not loaded
        Modified,       // the kit file's size changed since it was loaded
        OpenFailed,     // the kit file does not open
        SoundMissing,   // the kit file's sound count or the sound's name changed
        KitFileMissing, // the kit file of a stored sound does not exist
        TooLarge,       // the file would exceed 4 GiB
        SlotMissing,    // a kit slot's sound is on no row of the sound list
        ConvertFailed,  // a plain sound that exists was not converted
    };
    Kind kind = None;
    QString path;    // the kit file concerned
    QString name;    // the sound concerned
    int number = 0;  // kit number for the not-loaded messages and SlotMissing
    int slot = -1;   // SlotMissing: hi-hat slot 0..4, or 5 + 2 * pad + layer
    bool kitWording = false; // the single-kit save's wording of Modified

    CollectError() = default;
    CollectError(Kind k) : kind(k) {}
    explicit operator bool() const { return kind != None; }
};

} // namespace setupfiles

#endif
