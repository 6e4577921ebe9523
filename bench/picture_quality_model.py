"""The eye model of bench/picture_quality: light, area averaging, blur, PSNR and SSIM."""

import numpy as np

SIDE_W = 48
SIDE_H = 50


def srgb_to_linear(codes):
    v = np.asarray(codes, dtype=np.float64) / 255.0
    return np.where(v <= 0.04045, v / 12.92, ((v + 0.055) / 1.055) ** 2.4)


def linear_to_srgb(light):
    v = np.clip(light, 0.0, 1.0)
    return 255.0 * np.where(v <= 0.0031308, 12.92 * v, 1.055 * v ** (1 / 2.4) - 0.055)


def area_weights(length, outputs):
    """outputs x length: how much of each source pixel each output pixel covers, rows sum 1."""
    weights = np.zeros((outputs, length))
    step = length / outputs
    for o in range(outputs):
        low, high = o * step, (o + 1) * step
        for s in range(int(np.floor(low)), min(length, int(np.ceil(high)))):
            weights[o, s] = min(high, s + 1) - max(low, s)
    return weights / weights.sum(axis=1, keepdims=True)


def area_average(plane, height, width):
    rows = area_weights(plane.shape[0], height)
    columns = area_weights(plane.shape[1], width)
    return rows @ plane @ columns.T


def gaussian_blur(plane, sigma, radius):
    """Separable Gaussian, edges mirrored with the edge pixel repeated."""
    offsets = np.arange(-radius, radius + 1)
    taps = np.exp(-0.5 * (offsets / sigma) ** 2)
    taps /= taps.sum()
    padded = np.pad(plane, radius, mode="symmetric")
    across = sum(t * padded[:, radius + k:radius + k + plane.shape[1]]
                 for k, t in zip(offsets, taps))
    return sum(t * across[radius + k:radius + k + plane.shape[0], :]
               for k, t in zip(offsets, taps))


def perceived(light):
    """What the eye sees of a picture of light, as sRGB codes."""
    return linear_to_srgb(gaussian_blur(light, 1.0, 3))


def psnr(a, b):
    mse = np.mean((a - b) ** 2)
    return float("inf") if mse == 0 else 10 * np.log10(255.0 ** 2 / mse)


def ssim(a, b):
    c1 = (0.01 * 255) ** 2
    c2 = (0.03 * 255) ** 2

    def blur(x):
        return gaussian_blur(x, 1.5, 5)

    mu_a, mu_b = blur(a), blur(b)
    var_a = blur(a * a) - mu_a ** 2
    var_b = blur(b * b) - mu_b ** 2
    cov = blur(a * b) - mu_a * mu_b
    index = ((2 * mu_a * mu_b + c1) * (2 * cov + c2)) / (
        (mu_a ** 2 + mu_b ** 2 + c1) * (var_a + var_b + c2))
    return float(np.mean(index))
