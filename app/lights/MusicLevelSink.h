#pragma once
// Where the capture thread sends the music level report (the keyboard link's
// unpaced feature report 07 23 45 67 89 source colour level).
namespace tessaro {

class MusicLevelSink {
 public:
  virtual ~MusicLevelSink() = default;
  virtual bool SendMusicLevel(int source_option, int colour_index, int level) = 0;
};

}  // namespace tessaro
