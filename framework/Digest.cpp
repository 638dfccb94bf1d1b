#include "framework/Digest.h"

#include <windows.h>
#include <bcrypt.h>

namespace {

class AlgorithmHandle {
public:
    AlgorithmHandle() {
        if (::BCryptOpenAlgorithmProvider(&handle_, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0) handle_ = nullptr;
    }
    ~AlgorithmHandle() {
        if (handle_ != nullptr) ::BCryptCloseAlgorithmProvider(handle_, 0);
    }
    AlgorithmHandle(const AlgorithmHandle&) = delete;
    AlgorithmHandle& operator=(const AlgorithmHandle&) = delete;
    [[nodiscard]] BCRYPT_ALG_HANDLE Get() const { return handle_; }

private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class HashHandle {
public:
    explicit HashHandle(BCRYPT_ALG_HANDLE algorithm) {
        if (::BCryptCreateHash(algorithm, &handle_, nullptr, 0, nullptr, 0, 0) < 0) handle_ = nullptr;
    }
    ~HashHandle() {
        if (handle_ != nullptr) ::BCryptDestroyHash(handle_);
    }
    HashHandle(const HashHandle&) = delete;
    HashHandle& operator=(const HashHandle&) = delete;
    [[nodiscard]] BCRYPT_HASH_HANDLE Get() const { return handle_; }

private:
    BCRYPT_HASH_HANDLE handle_ = nullptr;
};

}  // namespace

std::optional<Sha256Digest> Sha256(const std::string& bytes) {
    const AlgorithmHandle algorithm;
    if (algorithm.Get() == nullptr) return std::nullopt;
    const HashHandle hash(algorithm.Get());
    if (hash.Get() == nullptr) return std::nullopt;
    // The data goes in pieces that a ULONG can count.
    constexpr size_t kPiece = 1u << 30;
    for (size_t at = 0; at < bytes.size(); at += kPiece) {
        const size_t length = bytes.size() - at < kPiece ? bytes.size() - at : kPiece;
        auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + at));
        if (::BCryptHashData(hash.Get(), data, static_cast<ULONG>(length), 0) < 0) return std::nullopt;
    }
    Sha256Digest digest{};
    if (::BCryptFinishHash(hash.Get(), digest.data(), static_cast<ULONG>(digest.size()), 0) < 0) return std::nullopt;
    return digest;
}
