#include "link/text_block.h"

#include <numeric>
#include <random>

#include "model/program_state.h"

namespace t604 {

namespace {

std::uint8_t Checksum(const std::uint8_t* block) {
    return static_cast<std::uint8_t>(std::accumulate(block, block + kTextBlockSize - 1, 0u));
}

std::uint8_t RandomByte() {
    static std::random_device source;
    return static_cast<std::uint8_t>(source());
}

}  // namespace

std::array<std::uint8_t, kTextBlockSize> EncodeTextBlock(std::string_view text) {
    if (text.size() > kTextBlockMaxText) text = text.substr(0, kTextBlockMaxText);
    std::array<std::uint8_t, kTextBlockSize> block{};
    for (auto& b : block) b = RandomByte();
    const std::uint8_t k = block[1];
    const std::uint8_t key = RandomByte();
    block[0] = static_cast<std::uint8_t>(text.size());
    block[2] = static_cast<std::uint8_t>(~static_cast<std::uint8_t>(k + key) ^ k);
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto t = static_cast<std::uint8_t>(text[i]);
        block[3 + i] = static_cast<std::uint8_t>(~static_cast<std::uint8_t>(t + key) ^ key);
    }
    block[15] = Checksum(block.data());
    return block;
}

std::optional<std::string> DecodeTextBlock(const std::uint8_t block[kTextBlockSize]) {
    const std::size_t n = block[0];
    if (n == 0) return std::string();
    if (n > kTextBlockMaxText || block[15] != Checksum(block)) return std::nullopt;
    const std::uint8_t k = block[1];
    const auto key = static_cast<std::uint8_t>((static_cast<std::uint8_t>(~block[2]) ^ k) - k);
    std::string text(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        text[i] = static_cast<char>(static_cast<std::uint8_t>((static_cast<std::uint8_t>(~key) ^ block[3 + i]) - key));
    return text;
}

bool CheckRadioPassword(const std::uint8_t block[kTextBlockSize]) {
    if (block[0] == 0 || block[0] == 0xFF) return true;
    const std::string password = softwareData.text(sd::Password);
    if (block[0] != password.size()) return false;
    auto decoded = DecodeTextBlock(block);
    return !decoded || *decoded == password;
}

}  // namespace t604
