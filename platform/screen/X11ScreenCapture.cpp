#include "platform/screen/X11ScreenCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <atomic>

namespace platform {
namespace {

// Xlib reports protocol errors through one process-wide handler whose default
// ends the process. Only the shared-memory attach can fail on a display that
// otherwise works (a remote one), so only that request is trapped.
std::atomic<bool> g_attach_failed{false};
int TrapError(Display*, XErrorEvent*) {
  g_attach_failed = true;
  return 0;
}

}  // namespace

struct X11ScreenCapture::Connection {
  Display* display = nullptr;
  Window root = 0;
  int width = 0;
  int height = 0;
  bool shared_memory = false;
  XImage* image = nullptr;
  XShmSegmentInfo segment{};
  bool attached = false;

  ~Connection() {
    DropImage();
    if (display != nullptr) XCloseDisplay(display);
  }

  void DropImage() {
    if (image == nullptr) return;
    if (attached) {
      XShmDetach(display, &segment);
      XSync(display, False);
      attached = false;
    }
    if (shared_memory) {
      shmdt(segment.shmaddr);
      image->data = nullptr;  // not malloc'ed: XDestroyImage must not free it
    }
    XDestroyImage(image);
    image = nullptr;
  }

  bool MakeSharedImage() {
    const int screen = DefaultScreen(display);
    image = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen),
                            ZPixmap, nullptr, &segment, width, height);
    if (image == nullptr) return false;
    segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * image->height,
                           IPC_CREAT | 0600);
    if (segment.shmid < 0) {
      XDestroyImage(image);
      image = nullptr;
      return false;
    }
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    // Marked for removal now: it goes when both sides have detached, even if
    // the process dies.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
      XDestroyImage(image);
      image = nullptr;
      return false;
    }
    image->data = segment.shmaddr;
    segment.readOnly = False;
    g_attach_failed = false;
    XErrorHandler previous = XSetErrorHandler(&TrapError);
    const Bool sent = XShmAttach(display, &segment);
    XSync(display, False);
    XSetErrorHandler(previous);
    attached = sent && !g_attach_failed;
    if (!attached) {
      shmdt(segment.shmaddr);
      image->data = nullptr;
      XDestroyImage(image);
      image = nullptr;
      return false;
    }
    return true;
  }

  // Keeps the image the size of the root window, which changes with the
  // screen configuration.
  bool FollowScreenSize() {
    Window unused_root = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, root, &unused_root, &x, &y, &w, &h, &border, &depth)) return false;
    if (static_cast<int>(w) == width && static_cast<int>(h) == height &&
        (image != nullptr || !shared_memory)) {
      return true;
    }
    DropImage();
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    if (shared_memory && !MakeSharedImage()) shared_memory = false;
    return true;
  }

  bool Grab() {
    if (!FollowScreenSize()) return false;
    if (shared_memory) return XShmGetImage(display, root, image, 0, 0, AllPlanes) != 0;
    DropImage();
    image = XGetImage(display, root, 0, 0, width, height, AllPlanes, ZPixmap);
    return image != nullptr;
  }

  // The pixel layout the light reads: 32 bits, red in bits 16-23.
  bool Readable() const {
    return image != nullptr && image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
           image->green_mask == 0xFF00 && image->blue_mask == 0xFF &&
           image->byte_order == LSBFirst && image->bytes_per_line % 4 == 0;
  }
};

X11ScreenCapture::X11ScreenCapture(std::string display) : display_name_(std::move(display)) {}

X11ScreenCapture::~X11ScreenCapture() = default;

bool X11ScreenCapture::Grab(ScreenImage& image) {
  if (!connection_) {
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(display_name_.empty() ? nullptr : display_name_.c_str());
    if (connection->display == nullptr) return false;
    connection->root = DefaultRootWindow(connection->display);
    connection->shared_memory = XShmQueryExtension(connection->display) != 0;
    connection_ = std::move(connection);
  }
  if (!connection_->Grab() || !connection_->Readable()) return false;
  const XImage* x = connection_->image;
  image = {x->width, x->height, x->bytes_per_line / 4, reinterpret_cast<const uint32_t*>(x->data)};
  return true;
}

bool X11ScreenCapture::UsesSharedMemory() const {
  return connection_ != nullptr && connection_->shared_memory;
}

}  // namespace platform
