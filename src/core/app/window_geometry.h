#pragma once
// Window geometry as the MAIN and LOG sections see it. Left/top are the outer edges of the
// window, width/height its outer size, the client size excludes the frame.

namespace vornlfrf::app {

class WindowGeometry {
  public:
    virtual ~WindowGeometry() = default;
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;

    virtual void setPosition(int left, int top) = 0;
    virtual void setSize(int width, int height) = 0;
    virtual void setClientSize(int width, int height) = 0;
    // Leaves the maximised state.
    virtual void showNormal() = 0;
};

}  // namespace vornlfrf::app
