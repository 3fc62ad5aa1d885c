#include "ffmpegpipe.h"

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

pid_t ffmpeg = -1;
int videoPipe = -1;
size_t videoFrameBytes = 0;

// Frames rendered but not yet taken by ffmpeg. While ffmpeg looks at the start
// of the sound it reads no frames; the renderer goes on meanwhile, up to this
// many frames ahead, and so makes the sound it is waiting for.
const size_t framesAhead = 8;
std::thread videoThread;
std::mutex videoLock;
std::condition_variable videoChanged;
std::vector<std::vector<unsigned char>> videoFree;
std::deque<std::vector<unsigned char>> videoQueue;
bool videoEnded = false;
bool videoFailed = false;
char soundDirectory[] = "/tmp/snowgig-video-XXXXXX";
std::string soundPipePath;

std::thread soundThread;
std::mutex soundLock;
std::condition_variable soundReady;
std::vector<int16_t> soundQueue;
bool soundEnded = false;
bool soundFailed = false;

bool writeAll(int fd, const void* data, size_t bytes)
{
    const char* at = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t n = ::write(fd, at, bytes);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        bytes -= size_t(n);
    }
    return true;
}

bool ffmpegRunning()
{
    int status = 0;
    return ffmpeg > 0 && waitpid(ffmpeg, &status, WNOHANG) == 0;
}

// Opens the sound pipe once ffmpeg has opened its end (it does after looking
// at the frames), then writes whatever is queued until the sound ends.
void feedSound()
{
    int fd = -1;
    while (fd < 0) {
        fd = ::open(soundPipePath.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            break;
        if (errno != ENXIO || !ffmpegRunning()) {
            std::lock_guard<std::mutex> hold(soundLock);
            soundFailed = true;
            return;
        }
        ::usleep(2000);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::vector<int16_t> batch;
    for (;;) {
        bool ended = false;
        {
            std::unique_lock<std::mutex> hold(soundLock);
            soundReady.wait(hold, [] { return !soundQueue.empty() || soundEnded; });
            batch.swap(soundQueue);
            ended = soundEnded;
        }
        if (!batch.empty() && !writeAll(fd, batch.data(), batch.size() * sizeof(int16_t))) {
            std::lock_guard<std::mutex> hold(soundLock);
            soundFailed = true;
            break;
        }
        batch.clear();
        if (ended)
            break;
    }
    ::close(fd);
}

// Writes the queued frames to ffmpeg's standard input, in order.
void feedVideo()
{
    for (;;) {
        std::vector<unsigned char> frame;
        {
            std::unique_lock<std::mutex> hold(videoLock);
            videoChanged.wait(hold, [] { return !videoQueue.empty() || videoEnded; });
            if (videoQueue.empty())
                break;
            frame.swap(videoQueue.front());
            videoQueue.pop_front();
        }
        const bool written = writeAll(videoPipe, frame.data(), frame.size());
        {
            std::lock_guard<std::mutex> hold(videoLock);
            videoFree.push_back(std::move(frame));
            videoFailed = videoFailed || !written;
        }
        videoChanged.notify_all();
        if (!written)
            break;
    }
    ::close(videoPipe);
    videoPipe = -1;
}

}  // namespace

bool startEncoder(const EncoderSettings& s)
{
    std::signal(SIGPIPE, SIG_IGN);
    if (!::mkdtemp(soundDirectory)) {
        std::fprintf(stderr, "cannot make a folder for the sound pipe: %s\n", std::strerror(errno));
        return false;
    }
    soundPipePath = std::string(soundDirectory) + "/sound.pcm";
    if (::mkfifo(soundPipePath.c_str(), 0600) != 0) {
        std::fprintf(stderr, "cannot make the sound pipe: %s\n", std::strerror(errno));
        return false;
    }
    int fds[2];
    if (::pipe(fds) != 0) {
        std::fprintf(stderr, "cannot make the frame pipe: %s\n", std::strerror(errno));
        return false;
    }
    ::fcntl(fds[1], F_SETFD, FD_CLOEXEC);
    const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
    const std::string rate = std::to_string(s.framesPerSecond);
    const std::string sampleRate = std::to_string(s.sampleRate);
    std::vector<std::string> args = {
        "ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
        "-f", "rawvideo", "-pix_fmt", "rgba", "-video_size", size, "-framerate", rate,
        "-probesize", "32", "-analyzeduration", "1", "-i", "pipe:0",
        "-thread_queue_size", "4096", "-probesize", "32", "-analyzeduration", "1",
        "-f", "s16le", "-ar", sampleRate, "-ac", "2",
        "-i", soundPipePath,
        // The colour buffer holds the bottom row first.
        "-vf", "vflip", "-c:v", "libx264", "-preset", s.preset, "-crf", "18",
        "-pix_fmt", "yuv420p", "-r", rate,
        "-c:a", "aac", "-b:a", "160k", "-movflags", "+faststart", s.path};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    // Nothing else of this process (the pack, the other pipe ends) goes to ffmpeg.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    const int error = posix_spawnp(&ffmpeg, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[0]);
    if (error != 0) {
        std::fprintf(stderr, "cannot start ffmpeg: %s\n", std::strerror(error));
        ::close(fds[1]);
        ffmpeg = -1;
        return false;
    }
    videoPipe = fds[1];
    videoFrameBytes = size_t(s.width) * s.height * 4;
    videoFree.assign(framesAhead, std::vector<unsigned char>(videoFrameBytes));
    videoThread = std::thread(feedVideo);
    soundThread = std::thread(feedSound);
    return true;
}

bool writeVideoFrame(const unsigned char* rgba)
{
    std::vector<unsigned char> frame;
    {
        std::unique_lock<std::mutex> hold(videoLock);
        videoChanged.wait(hold, [] { return !videoFree.empty() || videoFailed; });
        if (videoFailed)
            return false;
        frame.swap(videoFree.back());
        videoFree.pop_back();
    }
    std::memcpy(frame.data(), rgba, videoFrameBytes);
    {
        std::lock_guard<std::mutex> hold(videoLock);
        videoQueue.push_back(std::move(frame));
    }
    videoChanged.notify_all();
    return true;
}

void writeSound(const int16_t* stereo, size_t frames)
{
    {
        std::lock_guard<std::mutex> hold(soundLock);
        soundQueue.insert(soundQueue.end(), stereo, stereo + 2 * frames);
    }
    soundReady.notify_one();
}

bool finishEncoder()
{
    {
        std::lock_guard<std::mutex> hold(soundLock);
        soundEnded = true;
    }
    soundReady.notify_one();
    {
        std::lock_guard<std::mutex> hold(videoLock);
        videoEnded = true;
    }
    videoChanged.notify_all();
    if (videoThread.joinable())
        videoThread.join();
    if (soundThread.joinable())
        soundThread.join();
    int status = -1;
    if (ffmpeg > 0) {
        while (waitpid(ffmpeg, &status, 0) < 0 && errno == EINTR) {
        }
    }
    ffmpeg = -1;
    ::unlink(soundPipePath.c_str());
    ::rmdir(soundDirectory);
    return !soundFailed && !videoFailed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
