-- Kobrelan schema. Every statement may run again on a live database: the
-- scripts load this file at each server start and keep the data.
--
-- Amounts and ids copied into records are stored as the operator typed
-- them, so they are VARCHAR; the server's SUM() reads them as numbers.
-- The deletion flags are INT: inserts send '0', deletions set a bare 1 and
-- the lists compare "<> 1", all without string-to-number warnings, which
-- strict mode would turn into errors in an UPDATE.

CREATE TABLE IF NOT EXISTS `userlist` (
  `user_id`    INT          NOT NULL COMMENT 'card number, chosen by the program',
  `user_del`   INT          NOT NULL DEFAULT 0,
  `user_name`  VARCHAR(64)  NOT NULL DEFAULT '',
  `user_tel`   VARCHAR(64)  NOT NULL DEFAULT '',
  `user_key`   VARCHAR(64)  NOT NULL DEFAULT '',
  `user_add`   VARCHAR(255) NOT NULL DEFAULT '',
  `user_wxid`  VARCHAR(64)  NOT NULL DEFAULT '',
  `user_notes` VARCHAR(255) NOT NULL DEFAULT '',
  PRIMARY KEY (`user_id`)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE IF NOT EXISTS `paylist` (
  `pay_id`     INT          NOT NULL AUTO_INCREMENT,
  `pay_time`   DATETIME     NOT NULL,
  `pay_money`  VARCHAR(32)  NOT NULL DEFAULT '',
  `pay_give`   VARCHAR(32)  NOT NULL DEFAULT '',
  `pay_total`  VARCHAR(32)  NOT NULL DEFAULT '',
  `pay_method` VARCHAR(32)  NOT NULL DEFAULT '',
  `pay_notes`  VARCHAR(512) NOT NULL DEFAULT '',
  `pay_del`    INT          NOT NULL DEFAULT 0,
  `user_id`    INT          NOT NULL,
  `user_name`  VARCHAR(64)  NOT NULL DEFAULT '',
  `boss_id`    VARCHAR(32)  NOT NULL DEFAULT '',
  `boss_name`  VARCHAR(64)  NOT NULL DEFAULT '',
  PRIMARY KEY (`pay_id`),
  KEY `paylist_user_totals` (`user_id`, `pay_del`, `pay_money`, `pay_total`),
  KEY `paylist_pay_time` (`pay_time`)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE IF NOT EXISTS `costlist` (
  `cost_id`    INT           NOT NULL AUTO_INCREMENT,
  `cost_notes` VARCHAR(1024) NOT NULL DEFAULT '',
  `cost_money` VARCHAR(32)   NOT NULL DEFAULT '',
  `cost_del`   INT           NOT NULL DEFAULT 0,
  `cost_date`  DATETIME      NOT NULL,
  `xm_id`      VARCHAR(32)   NOT NULL DEFAULT '',
  `xm_name`    VARCHAR(255)  NOT NULL DEFAULT '',
  `xm_money`   VARCHAR(32)   NOT NULL DEFAULT '',
  `user_id`    INT           NOT NULL,
  `user_name`  VARCHAR(64)   NOT NULL DEFAULT '',
  `boss_id`    VARCHAR(32)   NOT NULL DEFAULT '',
  `boss_name`  VARCHAR(64)   NOT NULL DEFAULT '',
  PRIMARY KEY (`cost_id`),
  KEY `costlist_user_totals` (`user_id`, `cost_del`, `cost_money`),
  KEY `costlist_cost_date` (`cost_date`)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

-- The member totals group each card's rows from these indexes alone, in
-- card order, without reading the rows; a member's records are found by
-- them too. A database made before them gets them here, in place of the
-- plain user_id indexes.
CREATE INDEX IF NOT EXISTS `paylist_user_totals`
  ON `paylist` (`user_id`, `pay_del`, `pay_money`, `pay_total`);
DROP INDEX IF EXISTS `paylist_user_id` ON `paylist`;
CREATE INDEX IF NOT EXISTS `costlist_user_totals`
  ON `costlist` (`user_id`, `cost_del`, `cost_money`);
DROP INDEX IF EXISTS `costlist_user_id` ON `costlist`;

CREATE TABLE IF NOT EXISTS `xmlist` (
  `xm_id`    INT          NOT NULL AUTO_INCREMENT,
  `xm_name`  VARCHAR(64)  NOT NULL DEFAULT '',
  `xm_del`   INT          NOT NULL DEFAULT 0,
  `xm_money` VARCHAR(32)  NOT NULL DEFAULT '',
  `xm_notes` VARCHAR(255) NOT NULL DEFAULT '',
  PRIMARY KEY (`xm_id`)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;

CREATE TABLE IF NOT EXISTS `bosslist` (
  `boss_id`   INT         NOT NULL AUTO_INCREMENT,
  `boss_tel`  VARCHAR(64) NOT NULL DEFAULT '' COMMENT 'login name',
  `boss_name` VARCHAR(64) NOT NULL DEFAULT '',
  `boss_key`  VARCHAR(64) NOT NULL DEFAULT '' COMMENT 'password, plain text',
  PRIMARY KEY (`boss_id`),
  KEY `bosslist_boss_tel` (`boss_tel`)
) ENGINE=InnoDB DEFAULT CHARSET=gbk;
