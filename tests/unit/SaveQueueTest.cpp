// The queue between the simulator's thread and the writer thread, with a
// writer that the disk holds: a named pipe in the temporary file's place
// keeps it at the open of its first save until the test reads the pipe.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "position/SaveQueue.h"
#include "text/BoundedText.h"

namespace {

struct Reported {
    SaveKind kind;
    double latitude;
    bool written;  // false: dropped at the stop
    bool saved;
};

void collect(void* context, const SaveJob& job, const SaveResult* result) {
    static_cast<std::vector<Reported>*>(context)->push_back(
        {job.kind, job.record.Latitude, result != nullptr, result != nullptr && result->saved});
}

class SaveQueueTest : public AppFixture {
protected:
    SaveJob job(SaveKind kind, const std::string& name, double latitude) {
        SaveJob made{kind, PositionRecord{}, {}, {}};
        made.record.Latitude = latitude;
        copyText(made.path, sizeof made.path, path(name).c_str());
        return made;
    }
    bool handOver(const SaveJob& job, int milliseconds = 0) {
        return queue_.handOver(job, milliseconds, collect, &reported_);
    }
    SaveQueue queue_;
    std::vector<Reported> reported_;
};

TEST_F(SaveQueueTest, AFullQueueKeepsTheNewestAutoSaveAndRefusesAPilotsSaveAfterItsWait) {
    const std::string pipe = path(kTemporaryFileName);
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    queue_.start();
    ASSERT_TRUE(handOver(job(SaveKind::Pilot, "held.skd", 1)));  // the writer waits at the pipe
    usleep(100000);
    ASSERT_TRUE(handOver(job(SaveKind::AutoSave, "AutoSave.skd", 2)));
    ASSERT_TRUE(handOver(job(SaveKind::AutoSave, "AutoSave.skd", 3)));  // takes the waiting one's place
    for (int i = 0; i < kSaveQueueSlots - 2; ++i) {
        ASSERT_TRUE(handOver(job(SaveKind::Pilot, "pilot" + std::to_string(i) + ".skd", 10 + i)));
    }
    EXPECT_FALSE(handOver(job(SaveKind::Pilot, "refused.skd", 99), 50)) << "every slot is taken";
    ASSERT_TRUE(handOver(job(SaveKind::AutoSave, "AutoSave.skd", 4))) << "a newer auto-save always has a place";
    EXPECT_FALSE(queue_.waitUntilWritten(50));

    // The disk answers: the held save fails (a pipe takes no flush), the rest are written in order.
    const int reader = open(pipe.c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    char bytes[4096];
    (void)read(reader, bytes, sizeof bytes);
    ASSERT_TRUE(queue_.waitUntilWritten(5000));
    close(reader);
    queue_.reportResults(collect, &reported_, true);
    queue_.stop(2000, collect, &reported_);

    // In the order asked; the auto-save that took the other's place was asked last.
    ASSERT_EQ(static_cast<size_t>(kSaveQueueSlots), reported_.size());
    EXPECT_FALSE(reported_[0].saved);
    for (int i = 1; i < kSaveQueueSlots - 1; ++i) {
        EXPECT_TRUE(reported_[i].written && reported_[i].saved);
        EXPECT_EQ(9 + i, reported_[i].latitude);
    }
    EXPECT_EQ(SaveKind::AutoSave, reported_.back().kind);
    EXPECT_EQ(4, reported_.back().latitude);
    EXPECT_NE(std::string::npos, readFile(path("AutoSave.skd")).find("\nLatitude = 4.000000\n"));
    EXPECT_FALSE(fileExists(path("refused.skd")));
}

}  // namespace
