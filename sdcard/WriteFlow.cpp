#include "sdcard/WriteFlow.h"

#include "platform/Files.h"
#include "platform/Prompts.h"
#include "sdcard/CardFiles.h"
#include "sdcard/RawDeviceSink.h"
#include "sdcard/SfcImage.h"

#include <array>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

constexpr const char* kWriteData = "Write Data";
constexpr const char* kWriteError = "Write Error";
constexpr const char* kCopyText = "Copy SD Card Image.....Please Wait.....";
// Skipped pictures listed by name in the warning; the rest are counted.
constexpr std::size_t kSkippedListed = 8;

// A card takes seconds to flush what was written to it: the window keeps painting meanwhile.
class PaintingWhileFlushing final : public SectorSink {
public:
    PaintingWhileFlushing(SectorSink& sink, WriterView& view) : sink_(sink), view_(view) {}

    IoResult WriteSector(std::uint32_t offset, const Sector& sector) override { return sink_.WriteSector(offset, sector); }
    IoResult WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> bytes) override
    {
        return sink_.WriteSectors(offset, bytes);
    }
    IoResult Flush() override { return view_.RunResponsive([this] { return sink_.Flush(); }); }

private:
    SectorSink& sink_;
    WriterView& view_;
};

class Flow {
public:
    Flow(modOrvel& m, const Paths& paths, Prompts& prompts, const DriveScan& listed, const CardSystem& system,
         const WriteRequest& request, WriterView& view)
        : m_(m), paths_(paths), prompts_(prompts), listed_(listed), system_(system), req_(request), view_(view)
    {
        opt_.DispCode = req_.DispCode;
        opt_.chkActiveOnly = req_.chkActiveOnly;
        opt_.chkBuildBaseImage = !RawMode(m_) && req_.baseBuild;
        callbacks_.showStatus = [this](const std::string& text) { view_.ShowStatus(text); };
        callbacks_.rowDone = [this](int row) { return view_.RowDone(row); };
    }

    WriteEnd Run()
    {
        if (req_.bitmapsDeleted) {
            prompts_.Message(MsgIcon::Exclamation, kWriteData,
                             "The screen pictures of this design were deleted after the last write.\n"
                             "Use \"Create SD Card\" again to write the card once more.",
                             MsgButtons::Ok);
            return WriteEnd::NotStarted;
        }
        if (!Confirm())
            return WriteEnd::NotStarted;

        view_.Lock();
        WriteEnd end = WriteEnd::Refused;
        if (req_.PhysDrive < 1) {
            prompts_.Message(MsgIcon::Critical, kWriteError, "Writing to physical disk 0 not allowed.\nWrite canceled.",
                             MsgButtons::Ok);
        } else {
            end = RawMode(m_) ? WriteRaw() : WriteSfc();
        }
        if (end == WriteEnd::Initialized)
            return end; // the window closes
        view_.Unlock();
        if (DeletesScreenBitmaps(end))
            DeleteScreenBitmaps(paths_);
        return end;
    }

private:
    std::string Letter() const { return std::string(1, req_.DriveLetter); }
    DiskService* Disks() const { return system_.nodes.service.get(); }

    bool Confirm()
    {
        const bool raw = RawMode(m_);
        const std::string text = std::string("This action will permanently ") + (raw ? "erase" : "alter") +
                                 " data on drive " + Letter() + ":\n" + (raw ? "and all logical drives" : "and logical drives") +
                                 " on physical drive: " + std::to_string(req_.PhysDrive) + "\nDo you want to continue?";
        if (prompts_.Message(MsgIcon::Question, kWriteData, text, MsgButtons::YesNo) == MsgAnswer::Yes)
            return true;
        prompts_.Message(MsgIcon::None, kWriteData, "Action Canceled", MsgButtons::Ok);
        return false;
    }

    WriteEnd Fail(const IoResult& r)
    {
        prompts_.Message(MsgIcon::Critical, kWriteError, r.message, MsgButtons::Ok);
        return WriteEnd::Failed;
    }

    WriteEnd WriteSfc()
    {
        FolderHandle card;
        if (IoResult r = FindCardFolder(listed_, req_.DriveLetter, system_.mountRoot, card, Disks()); !r) {
            prompts_.Message(MsgIcon::Critical, kWriteError, r.message, MsgButtons::Ok);
            return WriteEnd::Refused;
        }
        if (!opt_.chkBuildBaseImage && !PathExists(paths_.CoreImageFile())) {
            prompts_.Message(MsgIcon::Critical, kWriteError,
                             "Core image file missing.\n" + paths_.CoreImageFile().string(), MsgButtons::Ok);
            return WriteEnd::Refused;
        }

        PicBuffers buf;
        const CompileResult run = WriteSfcImage(m_, paths_, opt_, buf, callbacks_);
        view_.HideCancel();
        if (!run.write)
            return Fail(run.write);
        // A base build replaces the core image only when every picture is in the new image.
        if (opt_.chkBuildBaseImage && run.Complete()) {
            if (IoResult r = view_.RunResponsive([&] { return CopyFileTo(paths_.SDImageFile(), paths_.CoreImageFile()); }); !r)
                return Fail(r);
        }

        view_.ShowStatus(kCopyText);
        // The card may have been taken out while the pictures were written.
        if (IoResult r = FindCardFolder(listed_, req_.DriveLetter, system_.mountRoot, card, Disks()); !r)
            return Fail(r);
        if (IoResult r = view_.RunResponsive([&] { return CopyFileInto(paths_.SDImageFile(), card, "QVRTOUCH.DAT"); }); !r)
            return Fail(r);
        if (run.cancelled)
            return Stopped();
        BackupResult backup;
        (void)view_.RunResponsive([&] {
            backup = WriteCardBackup(m_, paths_, card);
            return IoResult::Ok();
        });
        if (!backup.write) {
            // The card works: say so, so that a failed backup is not taken for a failed card.
            prompts_.Message(MsgIcon::Critical, kWriteError,
                             backup.write.message + "\nThe image itself was written onto the card; only the backup "
                                                    "of the design is missing or incomplete.",
                             MsgButtons::Ok);
            return WriteEnd::Failed;
        }
        return Finished(run, backup.notCopied);
    }

    WriteEnd WriteRaw()
    {
        RawDisk disk(listed_, system_.nodes);
        std::array<std::uint8_t, kRawSectorSize> SectorBuf{};
        if (IoResult r = disk.OpenPhysRead(req_.PhysDrive); !r)
            return Fail(r);
        if (IoResult r = disk.ReadSector(0, SectorBuf); !r)
            return Fail(r);
        if (IoResult r = disk.CloseDrive(); !r)
            return Fail(r);

        const bool bootRecord = SectorBuf[510] == 0x55 && SectorBuf[511] == 0xAA;
        if (bootRecord && prompts_.Message(MsgIcon::Question, "Verify Drive",
                                           "MBR found on device.\nVerify you have selected the correct drive.\nContinue?",
                                           MsgButtons::YesNo) != MsgAnswer::Yes) {
            prompts_.Message(MsgIcon::Information, "Cancel", "Write canceled.", MsgButtons::Ok);
            return WriteEnd::Refused;
        }
        // Nothing is written to a mounted card; the desktop's disk service unmounts it where it can.
        if (IoResult r = UnmountCard(listed_, req_.PhysDrive, Disks()); !r)
            return Fail(r);

        if (bootRecord) {
            SectorBuf.fill(0);
            IoResult r = disk.OpenPhysWrite(req_.PhysDrive);
            if (r)
                r = disk.WriteSector(0, SectorBuf);
            if (IoResult closed = disk.CloseDrive(); r && !closed)
                r = closed;
            if (!r)
                return Fail(r);
            prompts_.Message(MsgIcon::None, m_.AppTitle,
                             "Device has been initialized.\nFollow these steps to proceed:\n -Remove SD card\n"
                             " -Wait 5 seconds\n -Reinsert SD card\n"
                             " -Click OK and select Program | Compile And Write To SD Card again",
                             MsgButtons::Ok);
            return WriteEnd::Initialized;
        }

        if (IoResult r = disk.OpenDriveWrite(req_.DriveLetter); !r)
            return Fail(r);
        PicBuffers buf;
        RawDeviceSink device(disk);
        PaintingWhileFlushing sink(device, view_);
        const CompileResult run = CompileAll(m_, paths_, opt_, sink, buf, callbacks_);
        view_.HideCancel();
        const IoResult closed = view_.RunResponsive([&] { return disk.CloseDrive(); });
        if (!run.write)
            return Fail(run.write);
        if (!closed)
            return Fail(closed);
        if (run.cancelled)
            return Stopped();
        // The volume has no file system now: there is nowhere to put a backup.
        return Finished(run);
    }

    WriteEnd Stopped()
    {
        prompts_.Message(MsgIcon::Critical, kWriteData,
                         "Write Data Stopped By User.\nSD Card Has Incomplete Data.\n"
                         "Entire SD Card MUST Be Written To Correct Damaged Images.",
                         MsgButtons::Ok);
        return WriteEnd::Cancelled;
    }

    // `notCopied`: the backgrounds left out of the backup, with the reason.
    WriteEnd Finished(const CompileResult& run, const std::vector<std::string>& notCopied = {})
    {
        if (run.skipped.empty() && notCopied.empty()) {
            prompts_.Message(MsgIcon::None, kWriteData, "Write Data Complete", MsgButtons::Ok);
            return WriteEnd::Complete;
        }
        std::string text;
        if (!run.skipped.empty()) {
            text = "Write Data Incomplete.\n" + std::to_string(run.skipped.size()) +
                   (run.skipped.size() == 1 ? " picture was" : " pictures were") + " not written:";
            for (std::size_t i = 0; i < run.skipped.size() && i < kSkippedListed; ++i)
                text += "\n" + run.skipped[i].message;
            if (run.skipped.size() > kSkippedListed)
                text += "\nand " + std::to_string(run.skipped.size() - kSkippedListed) + " more.";
            if (opt_.chkBuildBaseImage)
                text += "\nThe core image file was not replaced.";
        } else {
            text = "Write Data Complete";
        }
        if (!notCopied.empty()) {
            text += "\n" + std::to_string(notCopied.size()) +
                    (notCopied.size() == 1 ? " background was" : " backgrounds were") +
                    " not copied into the backup on the card, not being readable pictures:";
            for (const std::string& why : notCopied)
                text += "\n" + why;
        }
        prompts_.Message(MsgIcon::Exclamation, kWriteData, text, MsgButtons::Ok);
        return WriteEnd::Incomplete;
    }

    modOrvel& m_;
    const Paths& paths_;
    Prompts& prompts_;
    const DriveScan& listed_;
    const CardSystem& system_;
    const WriteRequest& req_;
    WriterView& view_;
    CompileOptions opt_;
    CompileCallbacks callbacks_;
};

} // namespace

WriteEnd RunWriteFlow(modOrvel& m, const Paths& paths, Prompts& prompts, const DriveScan& listed,
                      const CardSystem& system, const WriteRequest& request, WriterView& view)
{
    return Flow(m, paths, prompts, listed, system, request, view).Run();
}

} // namespace kx4
