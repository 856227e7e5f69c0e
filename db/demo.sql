-- Demo data: two operators, a service catalogue, twelve members with some
-- recharges and checkouts. Loaded by scripts/run.sh into an empty schema.
-- Log in as Rudal (the privileged login name) with the password 888888, or
-- as 13800138000 with 123456.
SET NAMES utf8mb4;

INSERT INTO `bosslist` (`boss_id`, `boss_tel`, `boss_name`, `boss_key`) VALUES
  (1, 'Rudal', '店长', '888888'),
  (2, '13800138000', '小王', '123456');

INSERT INTO `xmlist` (`xm_id`, `xm_name`, `xm_del`, `xm_money`, `xm_notes`) VALUES
  (1, '足疗', 0, '88', ''),
  (2, '修脚', 0, '30', ''),
  (3, '全身按摩', 0, '128', ''),
  (4, '拔罐', 0, '40', ''),
  (5, '采耳', 0, '50', ''),
  (6, '中药泡脚', 0, '25', ''),
  (7, '刮痧', 1, '35', '');

INSERT INTO `userlist` (`user_id`, `user_del`, `user_name`, `user_tel`) VALUES
  (1001, 0, '张伟', '13912345678'),
  (1002, 0, '王芳', '13823456789'),
  (1003, 0, '李娜', '13734567890'),
  (1004, 0, '刘洋', '13645678901'),
  (1005, 0, '陈静', '15856789012'),
  (1006, 0, '杨磊', '15967890123'),
  (1007, 0, '赵敏', '18678901234'),
  (1008, 0, '黄晓明', '18789012345'),
  (1009, 0, '周杰', '13190123456'),
  (1010, 0, '吴婷', '13201234567'),
  (1011, 0, '徐强', '15312345670'),
  (1012, 0, '孙丽', '17723456781');

-- Times relative to today, so that the date presets find rows.
INSERT INTO `paylist` (`pay_time`, `pay_money`, `pay_give`, `pay_total`, `pay_method`, `pay_notes`,
                       `pay_del`, `user_id`, `user_name`, `boss_id`, `boss_name`) VALUES
  (NOW() - INTERVAL 40 DAY, '500', '50', '550', '微信', '', 0, 1001, '张伟', '1', '店长'),
  (NOW() - INTERVAL 35 DAY, '1000', '200', '1200', '支付宝', '', 0, 1002, '王芳', '1', '店长'),
  (NOW() - INTERVAL 20 DAY, '300', '', '300', '现金', '', 0, 1003, '李娜', '2', '小王'),
  (NOW() - INTERVAL 12 DAY, '200', '20', '220', '微信', '', 0, 1004, '刘洋', '2', '小王'),
  (NOW() - INTERVAL 6 DAY, '800', '100', '900', '微信', '', 0, 1005, '陈静', '1', '店长'),
  (NOW() - INTERVAL 3 DAY, '200', '', '200', '现金', '', 0, 1001, '张伟', '2', '小王'),
  (NOW() - INTERVAL 1 DAY, '500', '50', '550', '支付宝', '', 0, 1007, '赵敏', '1', '店长'),
  (NOW() - INTERVAL 2 HOUR, '300', '30', '330', '微信', '', 0, 1008, '黄晓明', '2', '小王');

INSERT INTO `costlist` (`cost_notes`, `cost_money`, `cost_del`, `cost_date`, `xm_id`, `xm_name`,
                        `xm_money`, `user_id`, `user_name`, `boss_id`, `boss_name`) VALUES
  ('{1}足疗[88]', '88', 0, NOW() - INTERVAL 38 DAY, '1', '足疗', '88', 1001, '张伟', '1', '店长'),
  ('{1}足疗[88]\r\n{2}修脚[30]', '118', 0, NOW() - INTERVAL 30 DAY, '', '2个项目', '118', 1002, '王芳', '1', '店长'),
  ('{3}全身按摩[128]', '128', 0, NOW() - INTERVAL 15 DAY, '3', '全身按摩', '128', 1002, '王芳', '2', '小王'),
  ('{5}采耳[50]', '50', 0, NOW() - INTERVAL 10 DAY, '5', '采耳', '50', 1003, '李娜', '2', '小王'),
  ('{1}足疗[88]\r\n{6}中药泡脚[25]', '113', 0, NOW() - INTERVAL 5 DAY, '', '2个项目', '113', 1005, '陈静', '1', '店长'),
  ('{4}拔罐[40]', '40', 0, NOW() - INTERVAL 2 DAY, '4', '拔罐', '40', 1001, '张伟', '2', '小王'),
  ('{1}足疗[88]', '88', 0, NOW() - INTERVAL 1 HOUR, '1', '足疗', '88', 1007, '赵敏', '1', '店长');
