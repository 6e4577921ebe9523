#include "faces/turned_copy.h"

#include <opencv2/imgproc.hpp>

#include <cmath>

namespace {

constexpr double kUncovered = 128.0;

} // namespace

TurnedCopy::TurnedCopy(std::initializer_list<cv::Mat*> greys, double degrees) {
    if (greys.size() == 0) {
        return;
    }
    const cv::Mat& first = **greys.begin();
    const cv::Point2f centre(static_cast<float>(first.cols) / 2.0F,
                             static_cast<float>(first.rows) / 2.0F);
    cv::Mat turn = cv::getRotationMatrix2D(centre, degrees, 1.0);
    const cv::Rect2f bounds =
        cv::RotatedRect(centre, cv::Size2f(first.size()), static_cast<float>(degrees))
            .boundingRect2f();
    turn.at<double>(0, 2) += bounds.width / 2.0 - centre.x;
    turn.at<double>(1, 2) += bounds.height / 2.0 - centre.y;
    const cv::Size canvas(static_cast<int>(std::ceil(bounds.width)),
                          static_cast<int>(std::ceil(bounds.height)));
    for (cv::Mat* grey : greys) {
        cv::Mat turned;
        cv::warpAffine(*grey, turned, turn, canvas, cv::INTER_LINEAR, cv::BORDER_CONSTANT,
                       cv::Scalar(kUncovered));
        *grey = turned;
    }
    cv::invertAffineTransform(turn, m_back);
}

std::vector<CropRect> TurnedCopy::Back(std::vector<CropRect> boxes) const {
    if (m_back.empty()) {
        return boxes;
    }
    for (CropRect& box : boxes) {
        const double cx = box.x + box.width / 2.0;
        const double cy = box.y + box.height / 2.0;
        const double x =
            m_back.at<double>(0, 0) * cx + m_back.at<double>(0, 1) * cy + m_back.at<double>(0, 2);
        const double y =
            m_back.at<double>(1, 0) * cx + m_back.at<double>(1, 1) * cy + m_back.at<double>(1, 2);
        box.x = static_cast<int>(std::lround(x - box.width / 2.0));
        box.y = static_cast<int>(std::lround(y - box.height / 2.0));
    }
    return boxes;
}
