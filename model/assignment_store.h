#pragma once

// The program's model of what every key does in each of the three on-board profiles, with
// the macro list and the texts of host-side assignments. It exists twice: the working store
// that the user edits and the upload snapshot taken at Apply, from which the encoders read.
// Each has its own recursive lock; whoever needs both takes the working store's first.

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/macro_record.h"
#include "model/store_image.h"

namespace q804::model {

using StoreLock = std::unique_lock<std::recursive_mutex>;

class WorkingStore {
  public:
    WorkingStore();

    StoreLock Lock() const { return StoreLock(mutex_); }

    // The image; installing replaces whatever was there. Without an image, reads give zero
    // entries and writes are ignored.
    bool hasImage() const;
    void InstallImage(StoreImage image);
    const std::optional<StoreImage>& image() const { return image_; }
    std::optional<StoreImage>& image() { return image_; }

    AssignmentEntry EntryAt(int profile, int slot) const;
    AssignmentEntry EntryNumbered(int entryNumber) const;
    // Replaces one entry. The entry's former text is dropped; the new text is kept only for
    // the types that own one (program path, text to type).
    void SetEntry(int profile, int slot, const AssignmentEntry& entry,
                  std::u16string_view text = {});
    void SetEntryNumbered(int entryNumber, const AssignmentEntry& entry,
                          std::u16string_view text = {});

    // The text of an entry, if it has one.
    const std::optional<std::u16string>& TextAt(int entryNumber) const;
    // Size the string area gives a text: its UTF-16 units and terminator, in bytes.
    static std::uint32_t TextSize(const std::u16string& text) {
        return static_cast<std::uint32_t>((text.size() + 1) * 2);
    }
    std::uint32_t stringBytes() const { return stringBytes_; }

    std::vector<MacroRecord>& macros() { return macros_; }
    const std::vector<MacroRecord>& macros() const { return macros_; }
    std::uint16_t macroCount() const { return static_cast<std::uint16_t>(macros_.size()); }
    // 0 when the position is outside the list.
    int MacroIdAt(int position) const;
    // The first position holding the id; 0 when none does (the same as the first macro).
    int MacroPositionOfId(int id) const;

    void ReleaseWorkingStrings();
    void ReleaseWorkingMacros();
    void ReleaseWorkingImage();

  private:
    void SetText(int entryNumber, std::optional<std::u16string> text);

    mutable std::recursive_mutex mutex_;
    std::optional<StoreImage> image_;
    std::vector<MacroRecord> macros_;
    std::vector<std::optional<std::u16string>> texts_;
    std::uint32_t stringBytes_ = 0;
};

class UploadSnapshot {
  public:
    StoreLock Lock() const { return StoreLock(mutex_); }

    const std::optional<StoreImage>& image() const { return image_; }
    const std::vector<MacroRecord>& macros() const { return macros_; }
    AssignmentEntry EntryAt(int profile, int slot) const;
    int SnapshotMacroPositionOfId(int id) const;

    void ReleaseSnapshotMacros();
    void ReleaseSnapshotImage();

  private:
    friend class AssignmentStore;
    mutable std::recursive_mutex mutex_;
    std::optional<StoreImage> image_;
    std::vector<MacroRecord> macros_;
};

// Answers a Yes/No question given by its language key; true means Yes. The question's
// default answer is No.
using AskYesNo = std::function<bool(std::string_view languageKey)>;

class AssignmentStore {
  public:
    WorkingStore working;
    UploadSnapshot snapshot;

    // Installs a fresh default image with no macros and no texts.
    void InstallNewDefaultStore();

    // Rebuilds the snapshot from the working store; takes both locks (working first). False
    // when memory runs out; what was released stays released.
    bool TakeUploadSnapshot();

    // Whether the macro may be deleted: yes when it was made since the editor opened or no
    // entry uses it; otherwise the user is asked ("MACRO_DELETE_CONFIRM_OF_KEYS").
    bool IsMacroInUse(const MacroRecord& macro, const AskYesNo& ask) const;
};

}  // namespace q804::model
