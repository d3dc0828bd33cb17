// The two ends of the language server's connection as plain bytes: where messages come from
// and where answers go. The program uses its standard input and output; the tests and the
// fuzz target use strings.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace scenario::lsp {

class byte_source {
  public:
    virtual ~byte_source() = default;
    // The next byte (0..255), or -1 at the end of the input.
    virtual int read_byte() = 0;
    // Reads up to `count` bytes, waiting until that many have come; fewer only at the end of
    // the input. Returns how many were read.
    virtual std::size_t read(char* buffer, std::size_t count) = 0;
};

class byte_sink {
  public:
    virtual ~byte_sink() = default;
    // Writes the bytes whole and passes them on at once; false when they could not be written.
    virtual bool write(std::string_view bytes) = 0;
};

// A C stream, such as standard input, opened in binary mode on systems that tell modes apart.
class file_byte_source final : public byte_source {
  public:
    explicit file_byte_source(std::FILE* file) : file_(file) {}
    int read_byte() override;
    std::size_t read(char* buffer, std::size_t count) override;

  private:
    std::FILE* file_;
};

class file_byte_sink final : public byte_sink {
  public:
    explicit file_byte_sink(std::FILE* file) : file_(file) {}
    bool write(std::string_view bytes) override;

  private:
    std::FILE* file_;
};

class string_byte_source final : public byte_source {
  public:
    explicit string_byte_source(std::string bytes) : bytes_(std::move(bytes)) {}
    int read_byte() override;
    std::size_t read(char* buffer, std::size_t count) override;

  private:
    std::string bytes_;
    std::size_t next_ = 0;
};

class string_byte_sink final : public byte_sink {
  public:
    bool write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

}  // namespace scenario::lsp
