// A whole file's bytes, read and written by the tests.
#ifndef TQ_TESTS_FILE_BYTES_H
#define TQ_TESTS_FILE_BYTES_H

#include <fstream>
#include <sstream>
#include <string>

// Empty when the file cannot be read.
inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

#endif
